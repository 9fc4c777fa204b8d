// Edits patched into the live page leave it as a fresh load of the preview
// file shows it (markup and computed styles); every load also checks that the
// program's model of the page has the page's elements.

#include "live_pane.h"

#include <QRandomGenerator>
#include <QRegularExpression>

class PaneLiveEdits : public QObject {
    Q_OBJECT
  private slots:
    void random_edits_match_a_fresh_load();
    void letters_typed_into_a_page_that_names_no_charset_show_as_typed();
};

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

} // namespace

void PaneLiveEdits::random_edits_match_a_fresh_load() {
    LivePane pane;
    QVERIFY2(pane.open(QString::fromUtf8(kPage).replace(u'\n', QLatin1String("\r\n"))),
             "the WebEngine pane did not come up");
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
    qInfo("%d patched, %d loaded again; %s", counts.patches, counts.reloads,
          qPrintable(pane.live()->trouble()));
    QCOMPARE(counts.refused, 0);
    QCOMPARE(counts.mismatched, 0);
    QVERIFY(counts.patches > 75);
}

// A page of plain ASCII that names no character set: a browser left to guess
// reads it as Windows-1252, and showed "è" typed into it as "Ã¨" (and a key
// in its text area loaded the whole page again).
void PaneLiveEdits::letters_typed_into_a_page_that_names_no_charset_show_as_typed() {
    LivePane pane;
    QVERIFY2(pane.open(QStringLiteral("<html><head><title>t</title></head><body>"
                                      "<p id=p>ab</p><textarea id=t>xy</textarea></body></html>")),
             "the WebEngine pane did not come up");
    for (const auto& [after, typed, read] :
         {std::tuple{"ab</p>", "\u00e8", "document.getElementById('p').textContent"},
          std::tuple{"xy</t", "\u00e0", "document.getElementById('t').value"}}) {
        const QString text = pane.edit().text();
        pane.edit().select(text.indexOf(QLatin1String(after)) + 1, 0);
        pane.edit().replace_selection(QString::fromUtf8(typed));
        QTRY_COMPARE(pane.page(QString::fromLatin1(read)).toString(),
                     QString::fromLatin1(after).left(1) + QString::fromUtf8(typed) +
                         QString::fromLatin1(after).mid(1, 1));
    }
    QCOMPARE(pane.live()->counts().reloads, 0);
    QCOMPARE(pane.page(QStringLiteral("document.characterSet")).toString(), u"UTF-8");
}

QTEST_MAIN(PaneLiveEdits)
#include "tst_pane_live_edits.moc"
