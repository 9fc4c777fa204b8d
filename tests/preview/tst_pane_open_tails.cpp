// Keys typed inside a text area or a stylesheet left open, whose text then
// runs to the end of a long page: the pane shows what a fresh load shows,
// without loading the page at every key.

#include "live_pane.h"

class PaneOpenTails : public QObject {
    Q_OBJECT
  private slots:
    void keys_inside_open_text_show_as_a_fresh_load_data();
    void keys_inside_open_text_show_as_a_fresh_load();
};

void PaneOpenTails::keys_inside_open_text_show_as_a_fresh_load_data() {
    QTest::addColumn<QString>("opening");
    // Keys typed, each after the first place of its text after the opening.
    QTest::addColumn<QStringList>("places");
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<bool>("loads");
    // The page holds text this long in several nodes: a key lands in one.
    QTest::newRow("text area longer than one text node")
        << "<textarea>" << QStringList{"riga"} << QStringList{"x"} << false;
    // The browser drops the stylesheet's last rule, which never gets its "{".
    QTest::newRow("stylesheet's rule that never opens")
        << "<style>" << QStringList{"riga"} << QStringList{"x"} << false;
    // The page's copy of the stylesheet is behind the text: a rule that
    // shows loads the page.
    QTest::newRow("a rule after keys left unshown")
        << "<style>" << QStringList{"riga", "<style>"} << QStringList{"x", "p{color:red}"} << true;
}

void PaneOpenTails::keys_inside_open_text_show_as_a_fresh_load() {
    QFETCH(QString, opening);
    QFETCH(QStringList, places);
    QFETCH(QStringList, keys);
    QFETCH(bool, loads);
    LivePane pane;
    const QString page = QStringLiteral("<meta charset=\"utf-8\"><body>\r\n<p>uno</p>") + opening +
                         QStringLiteral("<p>riga <b>qui</b></p>\r\n").repeated(4000);
    QVERIFY2(pane.open(page), "the WebEngine pane did not come up");
    QVERIFY(pane.live()->in_step());
    const int started = pane.host()->reloads_started();
    for (qsizetype k = 0; k < keys.size(); ++k) {
        const QString text = pane.edit().text();
        const qsizetype from = text.indexOf(opening) + (places[k] == opening ? 0 : opening.size());
        pane.edit().set_caret(text.indexOf(places[k], from) + places[k].size());
        QTest::keyClicks(pane.parts().editor(), keys[k]);
        // Once the keys' notice has come, the map holds the text.
        QTRY_VERIFY(pane.live()->map().text() == pane.edit().text().toUtf8());
        QVERIFY(pane.settle());
    }
    QCOMPARE(pane.host()->reloads_started() > started, loads);
    QCOMPARE(pane.live()->counts().refused, 0);
    // The page's elements and every element's style; a stylesheet's text
    // left unshown aside.
    const QString now = pane.snapshot(), fresh = pane.fresh_snapshot();
    if (opening == QLatin1String("<style>"))
        QCOMPARE(now.section(u'\n', -1), fresh.section(u'\n', -1));
    else
        QCOMPARE(now, fresh);
}

QTEST_MAIN(PaneOpenTails)
#include "tst_pane_open_tails.moc"
