// Edits patched into the live page of the real pane leave it as a fresh load
// of the preview file shows it (markup and computed styles); every load also
// checks that the program's model of the page has the page's elements. What
// the patch cannot follow loads the page again: a change in the head or in a
// script; patches run no script of the page, a load runs them once. Keys
// typed inside a text area or a stylesheet left open to the end of a long
// page show as a fresh load without loading the page at every key; a change
// of the temporary stylesheet restyles the page in place. One window for
// all, each test's page loaded afresh in it.

#include "document/temp_files.h"
#include "support/pane.h"
#include "support/rows.h"

#include <QAbstractButton>
#include <QRandomGenerator>
#include <QRegularExpression>

namespace {

const char* const kPage = R"(<!DOCTYPE html>
<html><head><title>Prova</title>
<style>p { color: #333 } .x { font-weight: bold } td { padding: 2px }</style>
</head>
<body>
<h1 id="top">Titolo</h1>
<p>Uno <b>due</b> <i>tre</i><br>quattro</p>
<p class="x">cinque<p>sei
<ul><li>a<li>b <em>c</em><li>d</ul>
<table border="1"><tr><td>1<td>2</tr><tr><th>3</th><td>4</td></tr></table>
<div><div>annidato <span>qui</span></div><!-- nota --><img src="a.png" alt="a"></div>
<dl><dt>t<dd>d</dl>
<pre>
riga
</pre>
<select><option>uno<option selected>due</select>
<p>fine</p>
</body>
</html>
)";

// What goes in at a place in text, inside a start tag, or inside a table.
const char* const kInText[] = {"x",
                               "ab ",
                               "\r\n",
                               "&amp;",
                               "<b>grassetto</b>",
                               "<br>",
                               "<img src=\"b.png\">",
                               "<!-- c -->",
                               "<span>s</span>",
                               "<a href=\"#top\">l</a>",
                               "<p>",
                               "</p>",
                               "<"};
const char* const kInTag[] = {" title=\"t\"", " class=\"x\"", " hidden", " style=\"color: red\""};
const char* const kInTable[] = {"<tr><td>n</td></tr>", "<td>c</td>", "<tr><th>h"};

struct Edit {
    qsizetype at;
    qsizetype removed;
    QString text;
};

// A random edit at a random place: mostly text, whole elements, attributes
// and table rows where they fit, sometimes a cut through anything.
Edit random_edit(const QString& doc, QRandomGenerator& random) {
    const int body = int(doc.indexOf(QLatin1String("<body>"))) + 6;
    const int end = std::max(body + 1, int(doc.indexOf(QLatin1String("</body>"))));
    const qsizetype at = random.bounded(body, end);
    const qsizetype open = doc.lastIndexOf(u'<', at - 1), close = doc.lastIndexOf(u'>', at - 1);
    const bool in_tag = open > close;
    // Text between a table's rows and cells would leave the table: inside a
    // table, things go into cells.
    const qsizetype table = doc.lastIndexOf(QLatin1String("<table"), at);
    const bool in_table = table >= 0 && doc.indexOf(QLatin1String("</table>"), table) >= at;
    const char* text = kInText[random.bounded(int(std::size(kInText)))];
    switch (random.bounded(12)) {
    case 0: // a cut through anything
        if (!in_table)
            return {at, std::min<qsizetype>(1 + random.bounded(8), end - at), {}};
        break;
    case 1: { // an attribute before the end of a start tag
        static const QRegularExpression start_tag(QStringLiteral("<[a-z][a-z0-9]*[^<>]*>"));
        auto match = start_tag.match(doc, at);
        if (match.hasMatch() && match.capturedEnd() < end)
            return {match.capturedEnd() - 1, 0,
                    QString::fromUtf8(kInTag[random.bounded(int(std::size(kInTag)))])};
        break;
    }
    case 2: { // a row or a cell after a cell's end
        const qsizetype cell = doc.indexOf(QLatin1String("</td>"), at);
        if (cell > 0 && cell < end)
            return {cell + 5, 0,
                    QString::fromUtf8(kInTable[random.bounded(int(std::size(kInTable)))])};
        break;
    }
    case 3: // a short cut inside text
        if (!in_tag && !in_table && at < end - 2 && doc[at] != u'<' && doc[at + 1] != u'<')
            return {at, 1, {}};
        break;
    default:
        break;
    }
    if (in_table) {
        const qsizetype cell = doc.indexOf(QLatin1String("<td>"), at);
        if (cell > 0 && cell < end)
            return {cell + 4, 0, QString::fromUtf8(text)};
        return {doc.indexOf(u'<', at), 0, QStringLiteral("<!-- t -->")};
    }
    return {in_tag ? open : at, 0, QString::fromUtf8(text)};
}

const QString kScriptPage = QStringLiteral(
    "<html><head><title>T</title><style>p { color: blue }</style></head>\r\n<body>\r\n"
    "<p id=\"p\">testo</p>\r\n<script>window.runs = (window.runs || 0) + 1;</script>\r\n"
    "<div><img src=\"x.png\" onerror=\"window.errors = (window.errors || 0) + 1\"></div>\r\n"
    "</body></html>\r\n");

struct Place {
    QString after; // the change goes in after this text
    QString insert;
    bool patched;
};
struct OpenTail {
    QString opening;
    QStringList places; // keys typed, each after the first place of its text after the opening
    QStringList keys;
    bool loads;
};

} // namespace

class PaneLiveEdits : public QObject {
    Q_OBJECT

    PaneWindow pane;
    // Shows `page` as a fresh load does.
    bool show(const QString& page) {
        pane.edit().set_text(page);
        pane.host()->show_latest();
        return pane.settle();
    }

  private slots:
    void initTestCase() { QVERIFY2(pane.open(), "the WebEngine pane did not come up"); }

    void random_edits_match_a_fresh_load() {
        QVERIFY(show(QString::fromUtf8(kPage).replace(u'\n', QLatin1String("\r\n"))));
        const LivePreview::Counts before = pane.live()->counts();
        QRandomGenerator random(14);
        int waits = 0; // a load takes about a second here: the test waits for few
        for (int n = 1; n <= 200; ++n) {
            const Edit edit = random_edit(pane.edit().text(), random);
            pane.edit().select(edit.at, edit.removed);
            if (n % 4 == 0 && edit.removed == 0 && !edit.text.contains(u'\r'))
                QTest::keyClicks(pane.parts().editor(), edit.text); // typed, key by key
            else
                pane.edit().replace_selection(edit.text);
            // As a quick typist: a patch lands before the next key; a page that
            // loads again does so while the typing goes on (now and then the
            // typist waits for it).
            if (pane.host()->shows_page())
                QVERIFY(pane.own(QStringLiteral("1")).isValid());
            if (!pane.host()->shows_page() && (waits < 8 || n % 100 == 0)) {
                ++waits;
                QVERIFY(pane.settle());
            }
            if (n % 100 == 0)
                QCOMPARE(pane.snapshot(), pane.fresh_snapshot());
        }
        const LivePreview::Counts& counts = pane.live()->counts();
        qInfo("%d patched, %d loaded again; %s", counts.patches - before.patches,
              counts.reloads - before.reloads, qPrintable(pane.live()->trouble()));
        QCOMPARE(counts.refused, before.refused);
        QCOMPARE(counts.mismatched, before.mismatched);
        QVERIFY(counts.patches - before.patches > 75);
    }

    // A page of plain ASCII that names no character set: a browser left to
    // guess reads it as Windows-1252, and showed "è" typed into it as "Ã¨"
    // (and a key in its text area loaded the whole page again).
    void letters_typed_into_a_page_that_names_no_charset_show_as_typed() {
        QVERIFY(show(QStringLiteral("<html><head><title>t</title></head><body>"
                                    "<p id=p>ab</p><textarea id=t>xy</textarea></body></html>")));
        const int loads = pane.live()->counts().reloads;
        for (const auto& [after, typed, read] :
             {std::tuple{"ab</p>", "\u00e8", "document.getElementById('p').textContent"},
              std::tuple{"xy</t", "\u00e0", "document.getElementById('t').value"}}) {
            const QString text = pane.edit().text();
            pane.edit().select(text.indexOf(QLatin1String(after)) + 1, 0);
            pane.edit().replace_selection(QString::fromUtf8(typed));
            QTRY_COMPARE(pane.eval(QString::fromLatin1(read)).toString(),
                         QString::fromLatin1(after).left(1) + QString::fromUtf8(typed) +
                             QString::fromLatin1(after).mid(1, 1));
        }
        QCOMPARE(pane.live()->counts().reloads, loads);
        QCOMPARE(pane.eval(QStringLiteral("document.characterSet")).toString(), u"UTF-8");
    }

    void changes_patch_or_load_by_place_data() {
        rows<Place>({
            {"text in the body", {"test", "X", true}},
            {"a new element", {"</p>", "<em>nuovo</em>", true}},
            {"an attribute", {"<p", " class=\"c\"", true}},
            {"the title", {"<title>", "X", false}},
            {"a style in the head", {"color: ", "dark", false}},
            {"inside a script", {"window.runs", " ", false}},
            {"a new script", {"</p>", "<script>window.more = 1</script>", false}},
            {"an event handler", {"onerror=\"", " ", false}},
        });
    }
    void changes_patch_or_load_by_place() {
        QFETCH(Place, row);
        // One page for all rows: each row's change goes on the last.
        if (!pane.edit().text().contains(u"window.runs"))
            QVERIFY(show(kScriptPage));
        QCOMPARE(pane.eval(QStringLiteral("window.runs")).toInt(), 1);
        // The missing picture has failed once (its error may come after the load).
        QTRY_VERIFY(pane.eval(QStringLiteral("window.errors")).toInt() >= 1);
        const int errors = pane.eval(QStringLiteral("window.errors")).toInt();
        const int loads = pane.host()->reloads_started(), refused = pane.live()->counts().refused;
        pane.edit().set_caret(pane.edit().text().indexOf(row.after) + row.after.size());
        pane.edit().replace_selection(row.insert);
        QVERIFY(pane.settle());
        QCOMPARE(pane.host()->reloads_started() == loads, row.patched);
        // The page's scripts ran once for its load, none for the patches.
        QCOMPARE(pane.eval(QStringLiteral("window.runs")).toInt(), 1);
        if (row.patched)
            QCOMPARE(pane.eval(QStringLiteral("window.errors")).toInt(), errors);
        QCOMPARE(pane.live()->counts().refused, refused);
    }

    void keys_inside_open_text_show_as_a_fresh_load_data() {
        rows<OpenTail>({
            // The page holds text this long in several nodes: a key lands in one.
            {"text area longer than one text node", {"<textarea>", {"riga"}, {"x"}, false}},
            // The browser drops the stylesheet's last rule, which never gets its "{".
            {"stylesheet's rule that never opens", {"<style>", {"riga"}, {"x"}, false}},
            // The page's copy of the stylesheet is behind the text: a rule that
            // shows loads the page.
            {"a rule after keys left unshown",
             {"<style>", {"riga", "<style>"}, {"x", "p{color:red}"}, true}},
        });
    }
    void keys_inside_open_text_show_as_a_fresh_load() {
        QFETCH(OpenTail, row);
        const QString page = QStringLiteral("<meta charset=\"utf-8\"><body>\r\n<p>uno</p>") +
                             row.opening +
                             QStringLiteral("<p>riga <b>qui</b></p>\r\n").repeated(4000);
        QVERIFY(show(page));
        QVERIFY(pane.live()->in_step());
        const int started = pane.host()->reloads_started(), refused = pane.live()->counts().refused;
        for (qsizetype k = 0; k < row.keys.size(); ++k) {
            const QString text = pane.edit().text();
            const QString& place = row.places[k];
            const qsizetype from =
                text.indexOf(row.opening) + (place == row.opening ? 0 : row.opening.size());
            pane.edit().set_caret(text.indexOf(place, from) + place.size());
            QTest::keyClicks(pane.parts().editor(), row.keys[k]);
            // Once the keys' notice has come, the map holds the text.
            QTRY_VERIFY(pane.live()->map().text() == pane.edit().text().toUtf8());
            QVERIFY(pane.settle());
        }
        QCOMPARE(pane.host()->reloads_started() > started, row.loads);
        QCOMPARE(pane.live()->counts().refused, refused);
        // The page's elements and every element's style; a stylesheet's text
        // left unshown aside.
        const QString now = pane.snapshot(), fresh = pane.fresh_snapshot();
        if (row.opening == QLatin1String("<style>"))
            QCOMPARE(now.section(u'\n', -1), fresh.section(u'\n', -1));
        else
            QCOMPARE(now, fresh);
    }

    // The pane is on before the user links the stylesheet.
    void stylesheet_refresh_restyles_without_a_load() {
        QVERIFY(write_temp_stylesheet("p { color: rgb(255, 0, 0) }\r\n").ok());
        QVERIFY(show(QStringLiteral("<html><head><link rel=\"STYLESHEET\" type=\"text/css\" "
                                    "href=\"%1\"></head>\r\n<body><p id=\"p\">x</p></body>"
                                    "</html>\r\n")
                         .arg(temp_stylesheet_path())));
        const QString colour =
            QStringLiteral("getComputedStyle(document.getElementById('p')).color");
        QTRY_COMPARE(pane.eval(colour).toString(), QStringLiteral("rgb(255, 0, 0)"));
        const int loads = pane.host()->reloads_started();
        const int restyles = pane.live()->counts().restyles;

        pane.window->run_item(QStringLiteral("css_editor"));
        css_edit* editor = pane.parts().css_window();
        QVERIFY(editor);
        editor->editor()->setText(
            QStringLiteral("p { color: rgb(0, 0, 255); margin-left: 30px }\r\n"));
        QTest::mouseClick(editor->findChild<QAbstractButton*>(QStringLiteral("Command2")),
                          Qt::LeftButton);
        QTRY_COMPARE(pane.eval(colour).toString(), QStringLiteral("rgb(0, 0, 255)"));
        QCOMPARE(pane.host()->reloads_started(), loads);
        QCOMPARE(pane.live()->counts().restyles, restyles + 1);
        QCOMPARE(pane.snapshot(), pane.fresh_snapshot());
        editor->editor()->setModified(false);
    }
};

QTEST_MAIN(PaneLiveEdits)
#include "tst_pane_live_edits.moc"
