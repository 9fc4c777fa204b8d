// The page acts inside the pane only: nothing it does by itself reaches the
// system or moves the pane off the preview; a real click on a web link goes
// to the system once; its dialogs never take the focus from the edit area.

#include "support/pane.h"

#include <QApplication>
#include <QStatusBar>

class PaneActsInside : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { QVERIFY(m_.open()); }
    void page_stays_in_pane_data();
    void page_stays_in_pane();
    void dialogs_leave_focus_in_edit_area();

  private:
    void show(const QString& body) {
        m_.edit().set_text(QStringLiteral("<p id=\"marker\">anteprima</p>") + body);
        QVERIFY(m_.settled());
        // Parsed, its scripts run.
        const QStringList parsed = {"interactive", "complete"};
        QTRY_VERIFY_WITH_TIMEOUT(parsed.contains(m_.eval("document.readyState").toString()), 15000);
    }
    PaneWindow m_;
};

void PaneActsInside::page_stays_in_pane_data() {
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("act"); // "click" or "enter" on the element "x"
    QTest::addColumn<QStringList>("opened");
    const QString web = QStringLiteral("http://127.0.0.1:9/x");
    const QString link = QStringLiteral("<a id=\"x\" href=\"%1\" %2>link</a>");
    const QString script = QStringLiteral("<script>setTimeout(() => { %1 }, 0)</script>");
    QTest::newRow("script sets location")
        << script.arg("location = '" + web + "'") << "" << QStringList();
    QTest::newRow("script clicks a link")
        << link.arg(web, "") + script.arg("x.click()") << "" << QStringList();
    QTest::newRow("script submits a form")
        << "<form id=\"f\" action=\"" + web + "\"></form>" + script.arg("f.submit()") << ""
        << QStringList();
    QTest::newRow("meta refresh") << "<meta http-equiv=\"refresh\" content=\"0; url=" + web + "\">"
                                  << "" << QStringList();
    QTest::newRow("script opens a window")
        << script.arg("window.open('" + web + "')") << "" << QStringList();
    QTest::newRow("script navigates again and again")
        << script.arg("setInterval(() => location = '" + web + "', 50)") << "" << QStringList();
    QTest::newRow("click on a web link") << link.arg(web, "") << "click" << QStringList{web};
    QTest::newRow("click on a link to a new window")
        << link.arg(web, "target=\"_blank\"") << "click" << QStringList{web};
    QTest::newRow("Enter on a web link") << link.arg(web, "") << "enter" << QStringList{web};
    QTest::newRow("click on a file link")
        << link.arg("file:///etc/hostname", "") << "click" << QStringList();
    QTest::newRow("click on an in-page link") << link.arg("#part", "") + "<p id=\"part\">"
                                              << "click" << QStringList();
}

void PaneActsInside::page_stays_in_pane() {
    QFETCH(QString, body);
    QFETCH(QString, act);
    QFETCH(QStringList, opened);
    m_.launcher->opened.clear();
    show(body);
    if (act == u"click") {
        m_.click(QStringLiteral("x"));
    } else if (act == u"enter") {
        m_.eval("x.focus()");
        QTest::keyClick(m_.page_widget(), Qt::Key_Return);
    }
    QTest::qWait(600);
    QStringList urls;
    for (const QUrl& url : m_.launcher->opened)
        urls << url.toString();
    QCOMPARE(urls, opened);
    QCOMPARE(m_.eval("location.protocol + document.getElementById('marker').textContent"),
             QVariant(QStringLiteral("marklet-preview:anteprima")));
}

void PaneActsInside::dialogs_leave_focus_in_edit_area() {
    show("<script>window.answers = [confirm('sicuro?'), prompt('nome?')]; alert('ciao')</script>");
    QCOMPARE(m_.eval("JSON.stringify(answers)"), QVariant(QStringLiteral("[false,null]")));
    m_.window->activateWindow();
    m_.window->editor()->setFocus();
    const QString before = m_.edit().text();
    for (const QChar c : QStringLiteral("abc")) {
        QTest::keyClicks(m_.window->editor(), c);
        QVERIFY(m_.settled());
    }
    QCOMPARE(m_.edit().text(), before + QStringLiteral("abc"));
    QCOMPARE(QApplication::focusWidget(), m_.window->editor());
    QVERIFY(m_.window->statusBar()->currentMessage().contains(u"ciao"));
    // A page that asks before it is left is left all the same.
    show("<script>onbeforeunload = e => { e.preventDefault(); e.returnValue = 'x' }</script>");
    m_.click(QStringLiteral("marker"));
    m_.edit().set_text(QStringLiteral("<p id=\"marker\">dopo</p>"));
    QTRY_COMPARE_WITH_TIMEOUT(m_.eval("marker.textContent"), QVariant(QStringLiteral("dopo")),
                              10000);
}

QTEST_MAIN(PaneActsInside)
#include "tst_pane_acts_inside.moc"
