// The real Qt WebEngine pane in the real main window: switched on, it shows
// the document, and an edit reaches the page.

#include "support/pane.h"

class PaneSmoke : public QObject {
    Q_OBJECT
  private slots:
    void edit_reaches_page() {
        PaneWindow pane;
        QVERIFY2(pane.open(), "the WebEngine pane did not come");
        const QString text = QStringLiteral("document.getElementById('x').textContent");
        for (const QString& word : {QStringLiteral("uno"), QStringLiteral("due")}) {
            pane.edit().set_text(QStringLiteral("<p id=\"x\">%1</p>").arg(word));
            QVERIFY(pane.answers(text, word));
        }
    }
};

QTEST_MAIN(PaneSmoke)
#include "tst_pane_smoke.moc"
