// A change of the temporary stylesheet restyles the page in place: no load,
// and the page as a fresh load shows it.

#include "document/temp_files.h"
#include "live_pane.h"

#include <QAbstractButton>

class PaneLiveStylesheet : public QObject {
    Q_OBJECT
  private slots:
    void refresh_restyles_without_a_load();
};

void PaneLiveStylesheet::refresh_restyles_without_a_load() {
    LivePane pane;
    QFile css(temp_stylesheet_path());
    QVERIFY(QDir().mkpath(QFileInfo(css).absolutePath()));
    QVERIFY(css.open(QIODevice::WriteOnly | QIODevice::Truncate));
    css.write("p { color: rgb(255, 0, 0) }\r\n");
    css.close();
    // The pane is on before the user links the stylesheet.
    QVERIFY2(pane.open(QString()), "the WebEngine pane did not come up");
    pane.edit().set_text(QStringLiteral("<html><head><link rel=\"STYLESHEET\" type=\"text/css\" "
                                        "href=\"%1\"></head>\r\n<body><p id=\"p\">x</p></body>"
                                        "</html>\r\n")
                             .arg(temp_stylesheet_path()));
    QVERIFY(pane.settle());
    const QString colour = QStringLiteral("getComputedStyle(document.getElementById('p')).color");
    QTRY_COMPARE(pane.page(colour).toString(), QStringLiteral("rgb(255, 0, 0)"));
    const int loads = pane.host()->reloads_started();

    pane.window->run_item(QStringLiteral("css_editor"));
    css_edit* editor = pane.parts().css_window();
    QVERIFY(editor);
    editor->editor()->setText(QStringLiteral("p { color: rgb(0, 0, 255); margin-left: 30px }\r\n"));
    auto* refresh = editor->findChild<QAbstractButton*>(QStringLiteral("Command2"));
    QVERIFY(refresh);
    QTest::mouseClick(refresh, Qt::LeftButton);
    QTRY_COMPARE(pane.page(colour).toString(), QStringLiteral("rgb(0, 0, 255)"));
    QCOMPARE(pane.host()->reloads_started(), loads);
    QCOMPARE(pane.live()->counts().restyles, 1);
    QCOMPARE(pane.snapshot(), pane.fresh_snapshot());
    editor->editor()->setModified(false);
}

QTEST_MAIN(PaneLiveStylesheet)
#include "tst_pane_live_stylesheet.moc"
