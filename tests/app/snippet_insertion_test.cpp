#include "app/snippet_insertion.h"
#include "support/fake_edit_area.h"

#include <gtest/gtest.h>

namespace {

struct InsertCase {
    const char* name;
    const char* before;
    int start;
    int length;
    const char* open;
    const char* close;
    const char* after;
    int caret;
};

class InsertSnippet : public testing::TestWithParam<InsertCase> {};

TEST_P(InsertSnippet, WrapsSelectionAndPutsCaretBeforeClosingText) {
    const InsertCase& c = GetParam();
    FakeEditArea edit;
    edit.set_text(QString::fromUtf8(c.before));
    edit.select(c.start, c.length);
    int changes = 0;
    QObject::connect(&edit, &EditArea::changed, [&] { ++changes; });

    insert_snippet(edit, QString::fromUtf8(c.open), QString::fromUtf8(c.close));

    EXPECT_EQ(edit.text(), QString::fromUtf8(c.after));
    EXPECT_EQ(edit.caret(), c.caret);
    EXPECT_EQ(edit.selection_length(), 0);
    EXPECT_EQ(edit.replacements, 1) << "one replacement, one change";
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(edit.focus_requests, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InsertSnippet,
    testing::Values(InsertCase{"NoSelection", "xy", 1, 0, "<b>", "</b>", "x<b></b>y", 4},
                    InsertCase{"SelectionWrapped", "abc", 0, 3, "<b>", "</b>", "<b>abc</b>", 6},
                    InsertCase{"EmptyClosingText", "abc", 0, 3, "<br>", "", "<br>abc", 7},
                    InsertCase{"ClosingLineBreakCountsTwo", "", 0, 0, "<noframe>\r\n",
                               "\r\n</noframe>", "<noframe>\r\n\r\n</noframe>", 11},
                    InsertCase{"MultiLineSelectionStaysWhole", "a\r\nb\r\nc", 0, 7, "<p>", "</p>",
                               "<p>a\r\nb\r\nc</p>", 10}),
    [](const testing::TestParamInfo<InsertCase>& info) { return std::string(info.param.name); });

} // namespace
