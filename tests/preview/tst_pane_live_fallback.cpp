// What the patch cannot follow loads the page again: a change in the head or
// in a script. Patches run no script of the page; a load runs them once.

#include "live_pane.h"

class PaneLiveFallback : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void changes_patch_or_load_by_place_data();
    void changes_patch_or_load_by_place();

  private:
    LivePane pane; // one page for all rows: each row's change goes on the last
};

namespace {

const QString kPage = QStringLiteral(
    "<html><head><title>T</title><style>p { color: blue }</style></head>\r\n<body>\r\n"
    "<p id=\"p\">testo</p>\r\n<script>window.runs = (window.runs || 0) + 1;</script>\r\n"
    "<div><img src=\"x.png\" onerror=\"window.errors = (window.errors || 0) + 1\"></div>\r\n"
    "</body></html>\r\n");

} // namespace

void PaneLiveFallback::initTestCase() {
    QVERIFY2(pane.open(kPage), "the WebEngine pane did not come up");
}

void PaneLiveFallback::changes_patch_or_load_by_place_data() {
    QTest::addColumn<QString>("after"); // the change goes in after this text
    QTest::addColumn<QString>("insert");
    QTest::addColumn<bool>("patched");
    QTest::newRow("text in the body") << "test"
                                      << "X" << true;
    QTest::newRow("a new element") << "</p>"
                                   << "<em>nuovo</em>" << true;
    QTest::newRow("an attribute") << "<p"
                                  << " class=\"c\"" << true;
    QTest::newRow("the title") << "<title>"
                               << "X" << false;
    QTest::newRow("a style in the head") << "color: "
                                         << "dark" << false;
    QTest::newRow("inside a script") << "window.runs"
                                     << " " << false;
    QTest::newRow("a new script") << "</p>"
                                  << "<script>window.more = 1</script>" << false;
    QTest::newRow("an event handler") << "onerror=\""
                                      << " " << false;
}

void PaneLiveFallback::changes_patch_or_load_by_place() {
    QFETCH(QString, after);
    QFETCH(QString, insert);
    QFETCH(bool, patched);
    QVERIFY(pane.settle());
    QCOMPARE(pane.page(QStringLiteral("window.runs")).toInt(), 1);
    // The missing picture has failed once (its error may come after the load).
    QTRY_VERIFY(pane.page(QStringLiteral("window.errors")).toInt() >= 1);
    const int errors = pane.page(QStringLiteral("window.errors")).toInt();
    const int loads = pane.host()->reloads_started();
    pane.edit().set_caret(pane.edit().text().indexOf(after) + after.size());
    pane.edit().replace_selection(insert);
    QVERIFY(pane.settle());
    QCOMPARE(pane.host()->reloads_started() == loads, patched);
    // The page's scripts ran once for its load, none for the patches.
    QCOMPARE(pane.page(QStringLiteral("window.runs")).toInt(), 1);
    if (patched)
        QCOMPARE(pane.page(QStringLiteral("window.errors")).toInt(), errors);
    QCOMPARE(pane.live()->counts().refused, 0);
}

QTEST_MAIN(PaneLiveFallback)
#include "tst_pane_live_fallback.moc"
