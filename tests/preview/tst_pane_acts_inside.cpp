// The page acts inside the pane only: nothing it does by itself, nor after
// the user's press, reaches the system or moves the pane off the preview; a
// real click on a web or mail link goes to the system once, to that link's
// own address; a Ctrl+click it makes up moves no caret; its dialogs never
// take the focus from the edit area.

#include "support/pane.h"

#include "app/status_presenter.h"
#include "find/find_bar.h"
#include "preview/live_preview.h"
#include <QApplication>

class PaneActsInside : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { QVERIFY(m_.open()); }

    void page_stays_in_pane_data() {
        QTest::addColumn<QString>("body"); // sets `done` once it has tried what it tries
        QTest::addColumn<QString>("act");  // "click" or "enter" on the element "x"
        QTest::addColumn<QStringList>("opened");
        const QString web = "http://127.0.0.1:9/x", link = "<a id='x' href='%1' %2>link</a>";
        const QString run = "<script>setTimeout(() => { %1; done = 1 }, 0)</script>";
        const QString press = "<p id='x'>premi</p><script>x.on%1 = () => { %2 }</script>";
        const QString tried = "<script>done = 1</script>";
        const QString mail = "mailto:anna@example.com";
        QTest::newRow("script sets location")
            << run.arg("location = '" + web + "'") << "" << QStringList();
        QTest::newRow("script clicks a link")
            << link.arg(web, "") + run.arg("x.click()") << "" << QStringList();
        QTest::newRow("script submits a form")
            << "<form id='f' action='" + web + "'></form>" + run.arg("f.submit()") << ""
            << QStringList();
        QTest::newRow("meta refresh")
            << "<meta http-equiv='refresh' content='0; url=" + web + "'>" + run.arg("") << ""
            << QStringList();
        QTest::newRow("script opens a window")
            << run.arg("window.open('" + web + "')") << "" << QStringList();
        QTest::newRow("script opens a mail link")
            << run.arg("location = '" + mail + "'") << "" << QStringList();
        QTest::newRow("press, then script sets location")
            << press.arg("mousedown", "location.href = '" + web + "'; done = 1") << "click"
            << QStringList();
        QTest::newRow("click, then script opens a window")
            << press.arg("click", "window.open('" + web + "'); done = 1") << "click"
            << QStringList();
        QTest::newRow("release, then script sets location later")
            << press.arg("mouseup", "setTimeout(() => { location = '" + web + "'; done = 1 }, 900)")
            << "click" << QStringList();
        QTest::newRow("click on a javascript: link")
            << link.arg("javascript:void(location = &quot;" + web + "&quot;, done = 1)", "")
            << "click" << QStringList();
        QTest::newRow("click on a link the page sends elsewhere")
            << link.arg("http://127.0.0.1:9/y", "onclick='this.href = \"" + web + "\"'") + tried
            << "click" << QStringList();
        QTest::newRow("click on a web link")
            << link.arg(web, "") + tried << "click" << QStringList{web};
        QTest::newRow("click opening a window")
            << link.arg(web, "target='_blank'") + tried << "click" << QStringList{web};
        QTest::newRow("Enter on a web link")
            << link.arg(web, "") + tried << "enter" << QStringList{web};
        QTest::newRow("click on a mail link")
            << link.arg(mail, "") + tried << "click" << QStringList{mail};
        QTest::newRow("click on a file link")
            << link.arg("file:///etc/hostname", "") + tried << "click" << QStringList();
        QTest::newRow("click on an in-page link")
            << link.arg("#x", "") + tried << "click" << QStringList();
    }

    void page_stays_in_pane() {
        QFETCH(QString, body);
        QFETCH(QString, act);
        QFETCH(QStringList, opened);
        m_.launcher->opened.clear();
        m_.launcher->browsed.clear();
        // A real click on a last link, once the page has tried: what the page
        // did before reaches the program before it.
        const QString end = QStringLiteral("http://127.0.0.1:9/fine");
        show(body + "<p><a id='end' href='" + end + "'>fine</a></p>");
        if (act == u"click")
            m_.click(QStringLiteral("x"));
        if (act == u"enter" && m_.eval("x.focus()").isNull())
            QTest::keyClick(m_.page_widget(), Qt::Key_Return);
        QVERIFY(m_.answers("window.done", 1));
        // A link the user chose is let out before the next press, which
        // forgets the last click, comes in.
        if (!opened.isEmpty())
            QTRY_VERIFY_WITH_TIMEOUT(!(m_.launcher->opened + m_.launcher->browsed).isEmpty(),
                                     15000);
        m_.click(QStringLiteral("end"));
        QStringList urls;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                urls.clear();
                for (const QUrl& url : m_.launcher->opened + m_.launcher->browsed)
                    urls << url.toString();
                return urls.removeAll(end) == 1;
            }(),
            15000);
        QCOMPARE(urls, opened);
        QCOMPARE(m_.eval("location.protocol + marker.textContent").toString(),
                 QStringLiteral("marklet-preview:anteprima"));
    }

    // A Ctrl+click the page makes up is no choice of the user's: the caret
    // stays, the find bar keeps the focus and what is typed there. (The
    // user's own Ctrl+click: tst_pane_live_caret.)
    void made_up_ctrl_click_moves_no_caret() {
        show("<p id='a'>uno</p><p id='b'>due</p><script>for (let i = 0; i < 5; ++i) "
             "a.dispatchEvent(new MouseEvent('click', {ctrlKey: true, bubbles: true})); "
             "done = 1</script>");
        QVERIFY(m_.answers("window.done", 1));
        QTRY_VERIFY(m_.parts().live_preview()->in_step()); // our script took the page
        m_.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_.window.get()));
        m_.edit().set_caret(0);
        QTest::keyClick(m_.parts().editor(), Qt::Key_F, Qt::ControlModifier);
        QWidget* find = m_.parts().find_bar()->findChild<QWidget*>(QStringLiteral("find_text"));
        QTRY_COMPARE(QApplication::focusWidget(), find);
        QList<int> carets;
        const auto watch =
            QObject::connect(m_.parts().editor(), &QsciScintilla::cursorPositionChanged,
                             m_.window.get(), [&](int line, int index) {
                                 carets << m_.parts().editor()->positionFromLineIndex(line, index);
                             });
        m_.eval("for (let i = 0; i < 5; ++i) a.dispatchEvent(new MouseEvent('click', "
                "{ctrlKey: true, bubbles: true})); done = 2");
        QVERIFY(m_.answers("window.done", 2));
        QCOMPARE(QApplication::focusWidget(), find);
        QTest::keyClicks(find, QStringLiteral("xyz"));
        QCOMPARE(m_.edit().caret(), 0);
        QVERIFY(carets.isEmpty());
        QVERIFY(!m_.edit().text().contains(QStringLiteral("xyz")));
        QObject::disconnect(watch);
    }

    void dialogs_leave_focus_in_edit_area() {
        show("<script>answers = [confirm('sicuro?'), prompt('nome?')]; alert('ciao')</script>");
        QCOMPARE(m_.eval("JSON.stringify(answers)"), QVariant("[false,null]"));
        m_.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_.window.get()));
        m_.parts().editor()->setFocus();
        const QString before = m_.edit().text();
        for (const char* key : {"a", "b", "c"}) {
            QTest::keyClicks(m_.parts().editor(), key);
            QVERIFY(m_.settled());
        }
        QCOMPARE(m_.edit().text(), before + "abc");
        QCOMPARE(QApplication::focusWidget(), m_.parts().editor());
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
