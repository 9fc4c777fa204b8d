// A page that hangs its renderer, while it loads or long after, is ended, the pane says so, and the
// next edit shows within a few seconds; typing never waits for it.

#include "support/pane.h"

#include <QElapsedTimer>

class PaneHungPage : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { QVERIFY(m_.open()); }

    void next_edit_shows_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("notice"); // the pane tells that the page does not respond
        QTest::newRow("endless script while loading") << "<script>while (true) {}</script>" << true;
        QTest::newRow("endless script as the load ends")
            << "<script>setTimeout(() => { while (true) {} }, 200)</script>" << false;
        QTest::newRow("endless script long after the load")
            << "<script>setTimeout(() => { while (true) {} }, 3000)</script>" << true;
    }

    void next_edit_shows() {
        QFETCH(QString, page);
        QFETCH(bool, notice);
        QElapsedTimer typing;
        typing.start();
        m_.edit().set_text(page);
        QVERIFY(typing.elapsed() < 1000);
        if (notice)
            QVERIFY(QTest::qWaitFor([&] { return body().contains(u"La pagina non risponde."); },
                                    30000));
        QVERIFY(m_.settled(30000));
        m_.edit().set_text(QStringLiteral("<p>di nuovo</p>"));
        QVERIFY(m_.answers("document.body.innerText", QStringLiteral("di nuovo")));
    }

  private:
    QString body() const { return m_.eval("document.body.innerText", 500).toString(); }
    PaneWindow m_;
};

QTEST_MAIN(PaneHungPage)
#include "tst_pane_hung_page.moc"
