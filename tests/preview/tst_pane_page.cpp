// The page in the real pane of the real main window, one window for all:
// it acts inside the pane only (nothing it does by itself, nor after the
// user's press, reaches the system or moves the pane off the preview; a
// real click on a web or mail link goes to the system once, to that link's
// own address; a Ctrl+click it makes up moves no caret; its dialogs never
// take the focus from the edit area); it zooms as a browser does; opened
// from its own folder it shows its own pictures and stylesheets, remote and
// temporary stylesheets, and its bytes are read as a browser reads them. A
// hostile page reads no file, from the page's own origin nor from its
// document loaded again in a frame under the files' address or as a file:
// address, by every form of address (the page's folder, "..", "%2e%2e",
// encoded slashes, an absolute path, the files' host, another host, file:,
// a link out of the folder) and every kind of request (frame, picture into
// a canvas with and without CORS, stylesheet rules, script, fetch, worker);
// a local HTTP logger stands for the attacker's server: nothing leaves.

#include "app/status_presenter.h"
#include "document/temp_files.h"
#include "find/find_bar.h"
#include "preview/page_watch.h"
#include "support/files.h"
#include "support/pane.h"
#include "support/rows.h"

#include <QApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>

#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QStringList kinds = {"frame",  "image", "cors-image", "stylesheet",
                           "script", "fetch", "worker"};

// Form -> what the hostile page puts before "secret.<ext>" ({R}: its root).
const QList<QPair<QString, QString>> forms = {
    {"folder", ""},
    {"parent", "../outside/"},
    {"dots", "%2e%2e/outside/"},
    {"slashes", "..%2foutside%2f"},
    {"absolute", "{R}/outside/"},
    {"files-host", "marklet-preview://files{R}/outside/"},
    {"other-host", "marklet-preview://other{R}/outside/"},
    {"file", "file://{R}/outside/"},
    {"link", "link/"},
};

struct Act {
    QString body;            // sets `done` once it has tried what it tries
    const char* act;         // "click" or "enter" on the element "x"
    QStringList opened = {}; // by the system
};
struct Bytes {
    QByteArray bytes;
    QString shown;
};

} // namespace

class PanePage : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        QVERIFY(server_.listen(QHostAddress::LocalHost));
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            QTcpSocket* socket = server_.nextPendingConnection();
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                heard_ << QString::fromUtf8(socket->readLine().split(' ').value(1));
                socket->write("HTTP/1.0 200 OK\r\nContent-Type: text/css\r\n\r\n"
                              "#remote { color: rgb(1, 2, 3) }");
                socket->disconnectFromHost();
            });
        });
        QVERIFY(m_.open());
    }

    void page_stays_in_pane_data() {
        const QString web = "http://127.0.0.1:9/x", link = "<a id='x' href='%1' %2>link</a>";
        const QString run = "<script>setTimeout(() => { %1; done = 1 }, 0)</script>";
        const QString press = "<p id='x'>premi</p><script>x.on%1 = () => { %2 }</script>";
        const QString tried = "<script>done = 1</script>", mail = "mailto:anna@example.com";
        rows<Act>({
            {"script sets location", {run.arg("location = '" + web + "'"), ""}},
            {"script clicks a link", {link.arg(web, "") + run.arg("x.click()"), ""}},
            {"script submits a form",
             {"<form id='f' action='" + web + "'></form>" + run.arg("f.submit()"), ""}},
            {"meta refresh",
             {"<meta http-equiv='refresh' content='0; url=" + web + "'>" + run.arg(""), ""}},
            {"script opens a window", {run.arg("window.open('" + web + "')"), ""}},
            {"script opens a mail link", {run.arg("location = '" + mail + "'"), ""}},
            {"press, then script sets location",
             {press.arg("mousedown", "location.href = '" + web + "'; done = 1"), "click"}},
            {"click, then script opens a window",
             {press.arg("click", "window.open('" + web + "'); done = 1"), "click"}},
            {"release, then script sets location later",
             {press.arg("mouseup", "setTimeout(() => { location = '" + web + "'; done = 1 }, 900)"),
              "click"}},
            {"click on a javascript: link",
             {link.arg("javascript:void(location = &quot;" + web + "&quot;, done = 1)", ""),
              "click"}},
            {"click on a link the page sends elsewhere",
             {link.arg("http://127.0.0.1:9/y", "onclick='this.href = \"" + web + "\"'") + tried,
              "click"}},
            {"click on a web link", {link.arg(web, "") + tried, "click", {web}}},
            {"click opening a window", {link.arg(web, "target='_blank'") + tried, "click", {web}}},
            {"Enter on a web link", {link.arg(web, "") + tried, "enter", {web}}},
            {"click on a mail link", {link.arg(mail, "") + tried, "click", {mail}}},
            {"click on a file link", {link.arg("file:///etc/hostname", "") + tried, "click"}},
            {"click on an in-page link", {link.arg("#x", "") + tried, "click"}},
        });
    }
    void page_stays_in_pane() {
        QFETCH(Act, row);
        m_.launcher->opened.clear();
        m_.launcher->browsed.clear();
        // A real click on a last link, once the page has tried: what the page
        // did before reaches the program before it.
        const QString end = QStringLiteral("http://127.0.0.1:9/fine");
        show(row.body + "<p><a id='end' href='" + end + "'>fine</a></p>");
        if (row.act == "click"_ba)
            m_.click("#x");
        if (row.act == "enter"_ba && m_.eval("x.focus()").isNull())
            QTest::keyClick(m_.page_widget(), Qt::Key_Return);
        QVERIFY(m_.answers("window.done", 1));
        // A link the user chose is let out before the next press, which
        // forgets the last click, comes in.
        if (!row.opened.isEmpty())
            QTRY_VERIFY_WITH_TIMEOUT(!(m_.launcher->opened + m_.launcher->browsed).isEmpty(),
                                     15000);
        m_.click("#end");
        QStringList urls;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                urls.clear();
                for (const QUrl& url : m_.launcher->opened + m_.launcher->browsed)
                    urls << url.toString();
                return urls.removeAll(end) == 1;
            }(),
            15000);
        QCOMPARE(urls, row.opened);
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
        QTRY_VERIFY(m_.live()->in_step()); // our script took the page
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
        QTest::keyClick(find, Qt::Key_Escape);
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
        m_.click("#marker");
        m_.edit().set_text(QStringLiteral("<p id='marker'>dopo</p>"));
        QVERIFY(m_.answers("marker.textContent", QStringLiteral("dopo")));
    }

    // The pane zooms as a browser does, its page laid out the narrower the
    // larger it shows: Ctrl+wheel and the zoom keys while the pane has the
    // focus, the zoom kept when the page is loaded again.
    void page_width_follows_the_zoom() {
        show("<p id='x'>testo</p>");
        const long steps = m_.parts().editor()->SendScintilla(QsciScintillaBase::SCI_GETZOOM);
        const QString width = QStringLiteral("window.innerWidth");
        QTRY_VERIFY(m_.eval(width).toInt() > 100);
        const int own = m_.eval(width).toInt();
        QWidget* page = m_.page_widget();
        m_.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_.window.get()));
        page->setFocus();
        QTRY_VERIFY(page->hasFocus());
        // A notch of the wheel with Ctrl: 110%.
        const QPoint at = page->rect().center();
        QWheelEvent wheel(at, page->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(page, &wheel);
        QTRY_VERIFY(qAbs(m_.eval(width).toInt() - own / 1.1) <= 1);
        // Ctrl++ as a US keyboard sends it: 125%; kept by the next load.
        QTest::sendKeyEvent(QTest::Click, page, Qt::Key_Plus, QStringLiteral("+"),
                            Qt::ControlModifier | Qt::ShiftModifier);
        QTRY_VERIFY(qAbs(m_.eval(width).toInt() - own / 1.25) <= 1);
        show("<p id='x'>altro</p>");
        QVERIFY(qAbs(m_.eval(width).toInt() - own / 1.25) <= 1);
        // Ctrl++ as an Italian keyboard sends it ("+" a key of its own): 150%.
        QTest::sendKeyEvent(QTest::Click, page, Qt::Key_Plus, QStringLiteral("+"),
                            Qt::ControlModifier);
        QTRY_VERIFY(qAbs(m_.eval(width).toInt() - own / 1.5) <= 1);
        QTest::sendKeyEvent(QTest::Click, page, Qt::Key_0, QStringLiteral("0"),
                            Qt::ControlModifier);
        QTRY_COMPARE(m_.eval(width).toInt(), own);
        // Nothing typed, the edit area's own zoom untouched.
        QCOMPARE(m_.edit().text(),
                 QStringLiteral("<p id='marker'>anteprima</p><p id='x'>altro</p>"));
        QCOMPARE(m_.parts().editor()->SendScintilla(QsciScintillaBase::SCI_GETZOOM), steps);
    }

    // Opened from its folder: its own picture and stylesheet, a remote and
    // the temporary stylesheet (as interim versions linked it, in a folder of
    // a run long gone); no file read by fetch, XMLHttpRequest or a frame; the
    // files on disk untouched.
    void page_shows_its_own_resources_and_reads_no_file() {
        QImage picture(10, 10, QImage::Format_RGB32);
        QVERIFY(picture.save(site_.filePath("pic.png")));
        QVERIFY(write_bytes(site_.filePath("style.css"), "#own { color: rgb(0, 128, 0) }"));
        QVERIFY(write_bytes(site_.filePath("secret.txt"), "segreto"));
        QVERIFY(write_temp_stylesheet("#temp { color: rgb(4, 5, 6) }").ok());
        // %1: the local server's port, %2: a temporary stylesheet, %3: secret.txt as file:.
        const QByteArray bytes =
            QString::fromUtf8(read_bytes(MARKLET_PANE_DATA "resource_page.htm"))
                .arg(server_.serverPort())
                .arg(QFileInfo(temp_stylesheet_path()).path() + "/run-1-1-0ld/tmp.css",
                     QUrl::fromLocalFile(site_.filePath("secret.txt")).toString())
                .toUtf8();
        QVERIFY(write_bytes(site_.filePath("page.htm"), bytes));
        QVERIFY(m_.parts().session().open_path(site_.filePath("page.htm")));
        const QString colour = "getComputedStyle(document.getElementById('%1')).color";
        const QString frame = "(d => d ? d.body.innerText : 'nothing')(%1.contentDocument)";
        for (const auto& [script, expected] : {
                 std::pair{colour.arg("own"), "rgb(0, 128, 0)"},
                 {colour.arg("remote"), "rgb(1, 2, 3)"},
                 {colour.arg("temp"), "rgb(4, 5, 6)"},
                 {u"String(pic.naturalWidth)"_s, "10"},
                 {u"window.by_file"_s, "nothing"}, // fetch of a file: address
                 {u"window.by_name"_s, "nothing"}, // fetch of a file beside the page
                 {u"window.by_xhr"_s, "nothing"},
                 {frame.arg("frame"), "nothing"},
                 {frame.arg("file_frame"), "nothing"},
             })
            QTRY_COMPARE_WITH_TIMEOUT(m_.eval(script).toString(), QString::fromLatin1(expected),
                                      15000);
        QCOMPARE(read_bytes(site_.filePath("page.htm")), bytes);
        QCOMPARE(read_bytes(preview_file_path()), bytes);
        QCOMPARE(QDir(site_.path()).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{"page.htm", "pic.png", "secret.txt", "style.css"}));
    }

    // The pane reads the page's bytes as a browser does: a byte-order mark,
    // then the page's own declaration, then the document's encoding.
    void pane_reads_bytes_as_browser_does_data() {
        const QByteArray declared = "<meta charset=\"windows-1252\"><p id=\"c\">";
        rows<Bytes>({
            {"windows-1252 declared", {declared + "Caff\xe8", u"Caff\u00e8"_s}},
            {"windows-1252 undeclared", {"<p id=\"c\">Caff\xe8", u"Caff\u00e8"_s}},
            {"UTF-8 with a byte-order mark",
             {"\xef\xbb\xbf" + declared + "Caff\xc3\xa8", u"Caff\u00e8"_s}},
            // What a browser shows, and the checker tells.
            {"UTF-8 declared windows-1252", {declared + "Caff\xc3\xa8", u"Caff\u00c3\u00a8"_s}},
        });
    }
    void pane_reads_bytes_as_browser_does() {
        QFETCH(Bytes, row);
        const QString path = site_.filePath(QString::fromLatin1(QTest::currentDataTag()) + ".htm");
        QVERIFY(write_bytes(path, row.bytes));
        QVERIFY(m_.parts().session().open_path(path));
        QVERIFY(
            m_.answers("(p => p ? p.textContent : '')(document.getElementById('c'))", row.shown));
    }

    // The hostile page's probes run, each telling the server when it is
    // done (each row below tells which did not).
    void hostile_page_probes_run() {
        const QString root = QFileInfo(hostile_.path()).canonicalFilePath();
        QImage picture(4, 4, QImage::Format_RGB32);
        picture.fill(qRgb(17, 34, 51));
        for (const QString& folder : {root + "/site", root + "/outside"}) {
            QVERIFY(QDir().mkpath(folder));
            QVERIFY(picture.save(folder + "/secret.png"));
            QVERIFY(write_bytes(folder + "/secret.txt", "SEGRETO testo"));
            QVERIFY(write_bytes(folder + "/secret.css", "#segreto { color: red }"));
            QVERIFY(write_bytes(folder + "/secret.js", "self.secret = 'SEGRETO script';"
                                                       "if (!self.document) postMessage(secret);"));
        }
        QCOMPARE(::symlink(native(root + "/outside").constData(),
                           native(root + "/site/link").constData()),
                 0);
        QJsonArray prefixes;
        for (const auto& [form, prefix] : forms)
            prefixes.append(QJsonArray{form, QString(prefix).replace("{R}", root)});
        const auto json = [](const QJsonArray& a) {
            return QString::fromUtf8(QJsonDocument(a).toJson(QJsonDocument::Compact));
        };
        QVERIFY(write_bytes(root + "/site/page.htm",
                            QString::fromUtf8(read_bytes(MARKLET_PANE_DATA "hostile_page.htm"))
                                .arg(QString::number(server_.serverPort()), json(prefixes),
                                     json(QJsonArray::fromStringList(kinds)))
                                .toUtf8()));
        // A machine starved long enough for the pane to take the page for
        // hung ends it, and with it every probe still running: the page is
        // shown again (its probes run afresh), twice at most.
        int ended = 0;
        const auto watch = connect(m_.host(), &BrowserHost::page_ended, this, [this, &ended] {
            qWarning("the pane ended the page as hung (%d probes done)", int(done()));
            if (++ended <= 2)
                m_.host()->show_latest();
        });
        // Three copies of the probes at once starve the renderer of a busy
        // machine for seconds. What is checked here is what the page can
        // reach, so the hung-page check (tst_pane_live_caret) rests meanwhile.
        QTimer rest;
        connect(&rest, &QTimer::timeout, m_.host()->findChild<PageWatch*>(), &PageWatch::pause);
        rest.start(100);
        QVERIFY(m_.parts().session().open_path(root + "/site/page.htm"));
        (void)QTest::qWaitFor([this] { return done() >= 3 * (kinds.size() * forms.size() - 1); },
                              240000);
        rest.stop();
        disconnect(watch);
        for (const char* origin : {"/hello/page", "/hello/files", "/hello/file"})
            QVERIFY2(heard_.contains(origin), origin);
    }

    void nothing_leaves_data() {
        QTest::addColumn<QString>("id");
        for (const QString origin : {"page", "files", "file"})
            for (const auto& form : forms)
                for (const QString& kind : kinds)
                    if (form.first != u"folder" || kind != u"script")
                        QTest::newRow(qPrintable(origin + "/" + form.first + "/" + kind))
                            << origin + "/" + form.first + "/" + kind;
    }
    void nothing_leaves() {
        QFETCH(QString, id);
        QVERIFY(heard_.contains("/done/" + id));
        const QStringList leaks = heard_.filter(QRegularExpression("^/leak/" + id + "\\?"));
        QVERIFY2(leaks.isEmpty(), qPrintable(leaks.join(' ')));
    }

  private:
    void show(const QString& body) {
        m_.edit().set_text("<p id='marker'>anteprima</p>" + body);
        QVERIFY(m_.settled());
        const QStringList parsed = {"interactive", "complete"}; // its scripts have run
        QVERIFY(QTest::qWaitFor(
            [&] { return parsed.contains(m_.eval("document.readyState").toString()); }, 15000));
    }
    qsizetype done() const {
        QStringList ids = heard_.filter(QRegularExpression("^/done/"));
        ids.removeDuplicates();
        return ids.size();
    }
    QTemporaryDir site_, hostile_;
    QTcpServer server_; // answers every request with a stylesheet, noting its path
    QStringList heard_;
    PaneWindow m_;
};

QTEST_MAIN(PanePage)
#include "tst_pane_page.moc"
