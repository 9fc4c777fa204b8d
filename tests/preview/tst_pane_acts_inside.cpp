// The page acts inside the pane only: nothing it does by itself reaches the
// system or moves the pane off the preview; a real click on a web link goes
// to the system once; its dialogs never take the focus from the edit area.

#include "support/pane.h"

#include "app/status_presenter.h"
#include <QApplication>

class PaneActsInside : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { QVERIFY(m_.open()); }

    void page_stays_in_pane_data() {
        QTest::addColumn<QString>("body");
        QTest::addColumn<QString>("act"); // "click" or "enter" on the element "x"
        QTest::addColumn<QStringList>("opened");
        const QString web = "http://127.0.0.1:9/x", link = "<a id='x' href='%1' %2>link</a>";
        const QString run = "<script>setTimeout(() => { %1 }, 0)</script>";
        QTest::newRow("script sets location")
            << run.arg("location = '" + web + "'") << "" << QStringList();
        QTest::newRow("script clicks a link")
            << link.arg(web, "") + run.arg("x.click()") << "" << QStringList();
        QTest::newRow("script submits a form")
            << "<form id='f' action='" + web + "'></form>" + run.arg("f.submit()") << ""
            << QStringList();
        QTest::newRow("meta refresh") << "<meta http-equiv='refresh' content='0; url=" + web + "'>"
                                      << "" << QStringList();
        QTest::newRow("script opens a window")
            << run.arg("window.open('" + web + "')") << "" << QStringList();
        QTest::newRow("click on a web link") << link.arg(web, "") << "click" << QStringList{web};
        QTest::newRow("click opening a window")
            << link.arg(web, "target='_blank'") << "click" << QStringList{web};
        QTest::newRow("Enter on a web link") << link.arg(web, "") << "enter" << QStringList{web};
        QTest::newRow("click on a file link")
            << link.arg("file:///etc/hostname", "") << "click" << QStringList();
        QTest::newRow("click on an in-page link") << link.arg("#x", "") << "click" << QStringList();
    }

    void page_stays_in_pane() {
        QFETCH(QString, body);
        QFETCH(QString, act);
        QFETCH(QStringList, opened);
        m_.launcher->opened.clear();
        m_.launcher->browsed.clear();
        show(body);
        if (act == u"click")
            m_.click(QStringLiteral("x"));
        if (act == u"enter" && m_.eval("x.focus()").isNull())
            QTest::keyClick(m_.page_widget(), Qt::Key_Return);
        QTest::qWait(300);
        QStringList urls;
        for (const QUrl& url : m_.launcher->opened + m_.launcher->browsed)
            urls << url.toString();
        QCOMPARE(urls, opened);
        QCOMPARE(m_.eval("location.protocol + marker.textContent").toString(),
                 QStringLiteral("marklet-preview:anteprima"));
    }

    void dialogs_leave_focus_in_edit_area() {
        show("<script>answers = [confirm('sicuro?'), prompt('nome?')]; alert('ciao')</script>");
        QCOMPARE(m_.eval("JSON.stringify(answers)"), QVariant("[false,null]"));
        m_.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_.window.get()));
        m_.window->editor()->setFocus();
        const QString before = m_.edit().text();
        for (const char* key : {"a", "b", "c"}) {
            QTest::keyClicks(m_.window->editor(), key);
            QVERIFY(m_.settled());
        }
        QCOMPARE(m_.edit().text(), before + "abc");
        QCOMPARE(QApplication::focusWidget(), m_.window->editor());
        QVERIFY(m_.window->status().text().contains("Messaggio della pagina: ciao"));
        // A page that asks before it is left is left all the same.
        show("<script>onbeforeunload = e => { e.preventDefault(); e.returnValue = 'x' }</script>");
        m_.click(QStringLiteral("marker"));
        m_.edit().set_text(QStringLiteral("<p id='marker'>dopo</p>"));
        QVERIFY(m_.answers("marker.textContent", QStringLiteral("dopo")));
    }

  private:
    void show(const QString& body) {
        m_.edit().set_text("<p id='marker'>anteprima</p>" + body);
        QVERIFY(m_.settled());
        const QStringList parsed = {"interactive", "complete"}; // its scripts have run
        QVERIFY(QTest::qWaitFor(
            [&] { return parsed.contains(m_.eval("document.readyState").toString()); }, 15000));
    }
    PaneWindow m_;
};

QTEST_MAIN(PaneActsInside)
#include "tst_pane_acts_inside.moc"
