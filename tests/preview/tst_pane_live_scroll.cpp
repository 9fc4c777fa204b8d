// A full load of the page (a change in the head) starts where the page was
// scrolled; a patch leaves the scroll alone.

#include "live_pane.h"

class PaneLiveScroll : public QObject {
    Q_OBJECT
  private slots:
    void load_keeps_the_scroll();
};

void PaneLiveScroll::load_keeps_the_scroll() {
    QString page = QStringLiteral("<html><head><title>T</title></head><body>\r\n");
    for (int i = 0; i < 300; ++i)
        page += QStringLiteral("<p>riga %1</p>\r\n").arg(i);
    page += QStringLiteral("</body></html>\r\n");
    LivePane pane;
    QVERIFY2(pane.open(page), "the WebEngine pane did not come up");
    const QString y = QStringLiteral("window.scrollY");
    pane.page(QStringLiteral("window.scrollTo(0, 3000)"));
    QTRY_COMPARE(pane.page(y).toInt(), 3000);
    QTest::qWait(300); // the pane tells where it is once the scrolling stops

    const int loads = pane.host()->reloads_started();
    pane.edit().set_caret(pane.edit().text().indexOf(QLatin1String("</title>")));
    pane.edit().replace_selection(QStringLiteral("X"));
    QVERIFY(pane.settle());
    QVERIFY(pane.host()->reloads_started() > loads);
    QTRY_COMPARE(pane.page(y).toInt(), 3000);
    QCOMPARE(pane.page(QStringLiteral("document.title")).toString(), QStringLiteral("TX"));
}

QTEST_MAIN(PaneLiveScroll)
#include "tst_pane_live_scroll.moc"
