// The source map: a change is patched only inside an element that closes
// cleanly around it, and the map after a patch is the map of the new text.

#include "preview/source_map.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

SourceMap::Parts parts(const QByteArray& text) {
    return {QByteArrayView(text), QByteArrayView()};
}

struct Case {
    const char* before;
    const char* after;
    const char* context; // tag names to the element re-read; "" when the page loads again
};

class SourceMapPatch : public testing::TestWithParam<Case> {};

TEST_P(SourceMapPatch, PatchesInsideTheElementThatClosesCleanly) {
    SourceMap map;
    map.rebuild(parts(GetParam().before));
    SourceMap::Patch patch;
    const auto outcome = map.update(parts(GetParam().after), &patch);
    const QString expected = QString::fromLatin1(GetParam().context);
    EXPECT_EQ(outcome,
              expected.isEmpty() ? SourceMap::Outcome::Reload : SourceMap::Outcome::Patched);
    if (outcome == SourceMap::Outcome::Patched) {
        EXPECT_EQ(patch.tags.join(u','), expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Changes, SourceMapPatch,
    testing::Values(
        Case{"<p>uno <b>due</b></p>", "<p>uno <b>d-ue</b></p>", "html,body,p,b"},
        Case{"<p>a<p>b<p>c", "<p>a<p>bb<p>c", "html,body,p"}, // implied ends
        Case{"<ul><li>a<li>b</ul>", "<ul><li>ax<li>b</ul>", "html,body,ul,li"},
        Case{"<table><tr><td>1</td></tr></table>", "<table><tr><td>12</td></tr></table>",
             "html,body,table,tbody,tr,td"},
        Case{"<body><p>a</p><p>b</p></body>", "<body><p>a</p><hr><p>b</p></body>", "html,body"},
        Case{"<p class=a>x</p>", "<p class=ab>x</p>", "html,body,p"}, // attributes only
        Case{"<p>a</p><pre>\nx</pre>", "<p>a</p><pre>\nxy</pre>", "html,body,pre"},
        Case{"<head><title>a</title></head><p>x", "<head><title>ab</title></head><p>x", ""},
        Case{"<p>x</p><script>a()</script>", "<p>x</p><script>ab()</script>", ""},
        Case{"<p>x</p><p>y</p>", "<p>x</p><p>y<script>f()</script></p>", ""},
        Case{"<p><b>x</b></p>", "<p><b>x</p>", ""}, // a formatting element left open
        Case{"<p>x</p>", "<p>x</p><svg></svg>", ""}));

// A key inside a comment, script or title left open to the end of a long
// page changes nothing the page shows: nothing goes to the pane.
TEST(SourceMapOpenTail, KeyInsideUnseenOpenTextTouchesNoPage) {
    for (const auto& [opening, typed, unseen] : {std::tuple{"<!--", "x", true},
                                                 {"<script>", "x", true},
                                                 {"<title>", "x", true},
                                                 {"<!--", "-->", false},
                                                 {"<script>", "</script>", false},
                                                 {"<style>", "x", false}}) {
        QByteArray text = QByteArray("<body><p>uno</p>") + opening + "<p>riga</p>";
        const qsizetype at = text.size() - 4;
        text += QByteArray("<p>riga <b>qui</b></p>\r\n").repeated(4000);
        SourceMap map, fresh;
        map.rebuild(parts(text));
        text.insert(at, typed);
        SourceMap::Patch patch;
        EXPECT_EQ(map.update(parts(text), &patch) == SourceMap::Outcome::Unchanged, unseen);
        fresh.rebuild(parts(text));
        EXPECT_EQ(map.nodes().size(), fresh.nodes().size());
        EXPECT_EQ(map.nodes().back().end, fresh.nodes().back().end) << opening << typed;
    }
}

// Where the browser nests no deeper (it puts elements past 512 levels beside
// their parent) the map stops: a change there loads the page again, and a
// page 100,000 deep is not read through at each change.
TEST(SourceMapDepth, StopsWhereTheBrowserStopsNesting) {
    for (const auto& [depth, known] : {std::pair{400, true}, {600, false}, {100000, false}}) {
        const QByteArray page = QByteArray("<div>").repeated(depth) + "x";
        SourceMap map;
        map.rebuild(parts(page));
        EXPECT_EQ(map.complete(), known) << depth;
        SourceMap::Patch patch;
        EXPECT_EQ(map.update(parts(page + "y"), &patch),
                  known ? SourceMap::Outcome::Patched : SourceMap::Outcome::Reload)
            << depth;
    }
}

// Random edits of any kind: whatever was patched, the map is the one a
// fresh reading of the new text gives.
TEST(SourceMapRandomEdits, PatchedMapEqualsFreshMap) {
    const char* const pieces[] = {"<p>",
                                  "</p>",
                                  "<b>",
                                  "</b>",
                                  "<td>",
                                  "<tr>",
                                  "</table>",
                                  "<!--",
                                  "-->",
                                  "x",
                                  "<br>",
                                  " a=\"1\"",
                                  "<",
                                  ">",
                                  "<li>",
                                  "\r\n",
                                  "<div>",
                                  "</div>",
                                  "<select><option>o</select>"};
    QByteArray text = "<!DOCTYPE html><html><head><title>t</title></head><body>\r\n"
                      "<h1>T</h1><p>a <b>b</b> <i>c</i><br>d</p><ul><li>1<li>2</ul>\r\n"
                      "<table><tr><td>1<td>2</tr></table><div><span>s</span></div>\r\n"
                      "<pre>\r\nx</pre><p>e</body></html>\r\n";
    QRandomGenerator random(7);
    SourceMap map;
    map.rebuild(parts(text));
    int patched = 0;
    for (int n = 0; n < 600; ++n) {
        const qsizetype at = random.bounded(int(text.size()) + 1);
        if (random.bounded(3) == 0)
            text.remove(at, 1 + random.bounded(6));
        else
            text.insert(at, pieces[random.bounded(int(std::size(pieces)))]);
        SourceMap::Patch patch;
        patched += map.update(parts(text), &patch) == SourceMap::Outcome::Patched;
        SourceMap fresh;
        fresh.rebuild(parts(text));
        ASSERT_EQ(map.nodes().size(), fresh.nodes().size()) << "after edit " << n;
        for (size_t i = 1; i < fresh.nodes().size(); ++i) {
            const html::Node &a = map.nodes()[i], &b = fresh.nodes()[i];
            ASSERT_TRUE(a.start == b.start && a.content_start == b.content_start &&
                        a.content_end == b.content_end && a.end == b.end && a.parent == b.parent &&
                        a.subtree_end == b.subtree_end && a.flags == b.flags && a.mode == b.mode &&
                        map.tags_of(int(i)) == fresh.tags_of(int(i)))
                << "node " << i << " after edit " << n;
        }
        ASSERT_EQ(map.body_digest(), fresh.body_digest());
    }
    EXPECT_GT(patched, 50);
}

} // namespace
