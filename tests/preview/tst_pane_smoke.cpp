// The real Qt WebEngine pane in the real main window: switched on, it shows
// the document, an edit reaches the page, and it zooms.

#include "support/pane.h"

#include <QWheelEvent>

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
    // The pane zooms as a browser does, its page laid out the narrower the
    // larger it shows: Ctrl+wheel and the zoom keys while the pane has the
    // focus, the zoom kept when the page is loaded again.
    void page_width_follows_the_zoom() {
        PaneWindow pane;
        QVERIFY2(pane.open(), "the WebEngine pane did not come");
        pane.edit().set_text(QStringLiteral("<p id=\"x\">testo</p>"));
        QVERIFY(pane.settled());
        const QString width = QStringLiteral("window.innerWidth");
        QTRY_VERIFY(pane.eval(width).toInt() > 100);
        const int own = pane.eval(width).toInt();
        QWidget* page = pane.page_widget();
        pane.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(pane.window.get()));
        page->setFocus();
        QTRY_VERIFY(page->hasFocus());
        // A notch of the wheel with Ctrl: 110%.
        const QPoint at = page->rect().center();
        QWheelEvent wheel(at, page->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(page, &wheel);
        QTRY_VERIFY(qAbs(pane.eval(width).toInt() - own / 1.1) <= 1);
        // Ctrl++ as a US keyboard sends it: 125%; kept by the next load.
        QTest::sendKeyEvent(QTest::Click, page, Qt::Key_Plus, QStringLiteral("+"),
                            Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_VERIFY(qAbs(pane.eval(width).toInt() - own / 1.25) <= 1);
        pane.edit().set_text(QStringLiteral("<p id=\"x\">altro</p>"));
        QVERIFY(pane.settled());
        QTRY_COMPARE(pane.eval(QStringLiteral("document.getElementById('x').textContent")),
                     QVariant(QStringLiteral("altro")));
        QVERIFY(qAbs(pane.eval(width).toInt() - own / 1.25) <= 1);
        QTest::sendKeyEvent(QTest::Click, page, Qt::Key_0, QStringLiteral("0"),
                            Qt::ControlModifier);
        QTRY_COMPARE(pane.eval(width).toInt(), own);
        QCOMPARE(pane.edit().text(), QStringLiteral("<p id=\"x\">altro</p>"));
    }
};

QTEST_MAIN(PaneSmoke)
#include "tst_pane_smoke.moc"
