// The source map: a change is patched only inside an element that closes
// cleanly around it (that the map after a patch is the map of the new text,
// for any text and change: fuzz_source_map).

#include "preview/css_prelude.h"
#include "preview/source_map.h"

#include <gtest/gtest.h>

namespace {

SourceMap::Parts parts(const QByteArray& text) {
    return {QByteArrayView(text), QByteArrayView()};
}

struct MapCase {
    const char* before;
    const char* after;
    const char* context; // tag names to the element re-read; "" when the page loads again
};

class SourceMapPatch : public testing::TestWithParam<MapCase> {};

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
        MapCase{"<p>uno <b>due</b></p>", "<p>uno <b>d-ue</b></p>", "html,body,p,b"},
        MapCase{"<p>a<p>b<p>c", "<p>a<p>bb<p>c", "html,body,p"}, // implied ends
        MapCase{"<ul><li>a<li>b</ul>", "<ul><li>ax<li>b</ul>", "html,body,ul,li"},
        MapCase{"<table><tr><td>1</td></tr></table>", "<table><tr><td>12</td></tr></table>",
                "html,body,table,tbody,tr,td"},
        MapCase{"<body><p>a</p><p>b</p></body>", "<body><p>a</p><hr><p>b</p></body>", "html,body"},
        MapCase{"<p class=a>x</p>", "<p class=ab>x</p>", "html,body,p"}, // attributes only
        MapCase{"<p>a</p><pre>\nx</pre>", "<p>a</p><pre>\nxy</pre>", "html,body,pre"},
        MapCase{"<head><title>a</title></head><p>x", "<head><title>ab</title></head><p>x", ""},
        MapCase{"<p>x</p><script>a()</script>", "<p>x</p><script>ab()</script>", ""},
        MapCase{"<p>x</p><p>y</p>", "<p>x</p><p>y<script>f()</script></p>", ""},
        MapCase{"<p><b>x</b></p>", "<p><b>x</p>", ""}, // a formatting element left open
        MapCase{"<p>x</p>", "<p>x</p><svg></svg>", ""}));

// A key inside a comment, script or title left open to the end of a long
// page, or inside a stylesheet's rule that never gets its "{", changes
// nothing the page shows: nothing goes to the pane.
TEST(SourceMapOpenTail, KeyInsideUnseenOpenTextTouchesNoPage) {
    for (const auto& [opening, typed, unseen] : {std::tuple{"<!--", "x", true},
                                                 {"<script>", "x", true},
                                                 {"<title>", "x", true},
                                                 {"<!--", "-->", false},
                                                 {"<script>", "</script>", false},
                                                 {"<style>", "x", true},
                                                 {"<style>", "{", false}}) {
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

struct CssEnd {
    const char* css;
    qsizetype rule; // where the dropped rule starts; -1: none
};

class OpenRuleStart : public testing::TestWithParam<CssEnd> {};

TEST_P(OpenRuleStart, FindsTheStyleRuleThatNeverOpens) {
    EXPECT_EQ(css_prelude::open_rule_start(GetParam().css), GetParam().rule) << GetParam().css;
}

INSTANTIATE_TEST_SUITE_P(
    Stylesheets, OpenRuleStart,
    testing::Values(CssEnd{"<p>riga</p>", 0}, CssEnd{"p { color: red }", -1}, CssEnd{"a{} <p>x", 4},
                    CssEnd{"a { color: red", -1}, // kept: EOF ends it
                    CssEnd{"a{} /* x", -1}, CssEnd{"<!-- p", 5}, CssEnd{"@import url(x.css)", -1},
                    CssEnd{"@import 'x'; p", 13},
                    // Braces that open no block of the rule.
                    CssEnd{"p (a { b }) c", 0}, CssEnd{"p \"{\" x", 0}, CssEnd{"p url({) x", 0},
                    CssEnd{"p \\{ x", 0}, CssEnd{"p /* { */ x", 0}, CssEnd{"p url(\"a\") {", -1},
                    CssEnd{"p 'a\n{", -1},
                    CssEnd{"p } x", -1})); // a closer with no block: not followed

} // namespace
