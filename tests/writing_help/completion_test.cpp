// What is offered for the text before the caret, and which element "</"
// closes.

#include "writing_help/completion.h"

#include <gtest/gtest.h>

namespace {

struct Offer {
    const char* name;
    const char* before_caret;
    const char* items; // joined with ","; "..." at the end: the list begins so
};

class Offers : public testing::TestWithParam<Offer> {};

TEST_P(Offers, FitWhatIsTyped) {
    const Offer& c = GetParam();
    QString items = completion_items(completion_context(c.before_caret)).join(u',');
    QString expected = QString::fromUtf8(c.items);
    if (expected.endsWith(QStringLiteral(",...")))
        items.truncate(expected.chopped(4).size()), expected.chop(4);
    EXPECT_EQ(items, expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, Offers, testing::Values(
    Offer{"ElementsAfterLetter", "<p>x <d", "data,datalist,dd,del,details,dfn,dialog,div,dl,dt"},
    Offer{"CapitalsGiveCapitals", "<DI", "DIALOG,DIV"},
    Offer{"NothingAfterBareLt", "<", ""},
    Offer{"NothingInEndTag", "</d", ""},
    Offer{"AttributesOfImg", "<img ", "accesskey,align,alt,border,class,contenteditable,crossorigin,..."},
    Offer{"AttributesNarrowed", "<img s", "sizes,spellcheck,src,srcset,style"},
    Offer{"AttributesAfterQuotedGreaterThan", "<a title=\"x>y\" ta", "tabindex,target"},
    Offer{"NothingAfterTagClosed", "<img src=\"a\"> ", ""},
    Offer{"TargetValues", "<a href=\"x\" target=\"", "_blank,_parent,_self,_top"},
    Offer{"InputTypes", "<input type=\"c", "checkbox,color"},
    Offer{"NothingForFreeText", "<a href=\"", ""},
    Offer{"NothingWhereNotTaken", "<div target=\"", ""}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

struct Open {
    const char* name;
    const char* before;
    const char* element;
};

class OpenElement : public testing::TestWithParam<Open> {};

TEST_P(OpenElement, IsTheInnermostLeftOpen) {
    EXPECT_EQ(open_element_before(GetParam().before), QByteArray(GetParam().element));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, OpenElement, testing::Values(
    Open{"Nested", "<div><p><b>x", "b"},
    Open{"VoidSkipped", "<p>a<br><img src=x><hr>", "p"},
    Open{"OptionalEndClosedByParent", "<div><ul><li>a<li>b</ul>", "div"},
    Open{"MisnestedInnerStaysOpen", "<b><i>x</b>", "i"},
    Open{"CommentSkipped", "<div><!-- <p> -->", "div"},
    Open{"ScriptContentSkipped", "<div><script>if (a<b && c>d) x();</script>", "div"},
    Open{"TextareaContentSkipped", "<div><textarea><b></textarea>", "div"},
    Open{"OpenTextareaHoldsOnlyText", "<b><TEXTAREA rows=3>nota <i>x", "TEXTAREA"},
    Open{"OpenScriptHoldsOnlyText", "<div><script>if (a <b) { s = '<!-- <p>'", "script"},
    Open{"QuotedGreaterThan", "<p><a title=\"a>b\">x", "a"},
    Open{"NothingOpen", "<p>a</p>", ""},
    Open{"InsideComment", "<div><!-- x", ""}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(OpenElementWindow, LooksNoFurtherThanItsWindow) {
    QByteArray closed;
    while (closed.size() < kOpenElementWindow)
        closed += "<p>riga</p>\r\n";
    EXPECT_EQ(open_element_before("<div>" + closed), QByteArray());
    EXPECT_EQ(open_element_before("<div>" + closed.right(kOpenElementWindow - 10)), "div");
}

} // namespace
