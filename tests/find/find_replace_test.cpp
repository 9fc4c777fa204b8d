// Literal search and replace: wrap-round, case, whole words, and never a
// match that splits a line break or a character.

#include "find/find_replace.h"

#include <gtest/gtest.h>

namespace {

struct FindCase {
    const char* name;
    bool backwards; // find_previous: the last match ending before the position
    const char16_t* text;
    const char16_t* needle;
    qsizetype from;
    bool case_sensitive, whole_word;
    qsizetype start; // -1: nothing found
    bool wrapped;
};

template <typename Case> std::string case_name(const testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

class Find : public testing::TestWithParam<FindCase> {};

TEST_P(Find, FindsTheNearestMatchAndWrapsRound) {
    const FindCase& c = GetParam();
    const QString text = QString::fromUtf16(c.text), needle = QString::fromUtf16(c.needle);
    const FindOptions options{c.case_sensitive, c.whole_word};
    const auto found = c.backwards ? find_previous(text, needle, c.from, options)
                                   : find_next(text, needle, c.from, options);
    EXPECT_EQ(found, c.start < 0 ? std::nullopt
                                 : std::optional(TextMatch{c.start, needle.size(), c.wrapped}));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, Find, testing::Values(
    FindCase{"AfterPosition", false, u"abc abc", u"abc", 1, false, false, 4, false},
    FindCase{"WrapsToStart", false, u"abc abc", u"abc", 5, false, false, 0, true},
    FindCase{"EmptyNeedleMatchesNowhere", false, u"abc", u"", 0, false, false, -1, false},
    FindCase{"IgnoresCaseOfAccentedLetters", false, u"CAFFÈ", u"caffè", 0, false, false, 0, false},
    FindCase{"WholeLineBreak", false, u"a\r\nb", u"\r\n", 0, false, false, 1, false},
    FindCase{"NeverLfHalfOfCrLf", false, u"a\r\nb", u"\n", 0, false, false, -1, false},
    FindCase{"NeverEndingBetweenCrAndLf", false, u"x\r\ny", u"x\r", 0, false, false, -1, false},
    FindCase{"FromInsideEmojiGoesOn", false, u"a😀b😀", u"😀", 2, false, false, 4, false},
    FindCase{"NeverHighHalfOfEmoji", false, u"a😀b", u"\xD83D", 0, false, false, -1, false},
    FindCase{"WholeWordSkipsPartOfWord", false, u"concat cat", u"cat", 0, false, true, 7, false},
    FindCase{"WholeWordAccentedLetterAfter", false, u"perchè perch", u"perch", 0, false, true, 7, false},
    FindCase{"WholeWordCombiningMarkAfter", false, u"cafe\u0301 cafe", u"cafe", 0, false, true, 6, false},
    FindCase{"WholeWordLetterBeyondBmpJoins", false, u"x𝐀 x", u"x", 0, false, true, 4, false},
    FindCase{"WholeWordWraps", false, u"cat concat", u"cat", 1, false, true, 0, true},
    FindCase{"BackMatchMustEndBeforePosition", true, u"abc abc", u"abc", 6, false, false, 0, false},
    FindCase{"BackWrapsToEnd", true, u"abc abc", u"abc", 2, false, false, 4, true},
    FindCase{"BackEmojiBeforeEmoji", true, u"😀x😀", u"😀", 5, false, false, 3, false},
    FindCase{"BackNeverLfHalfOfCrLf", true, u"a\r\n", u"\n", 3, false, false, -1, false}),
    case_name<FindCase>);
// clang-format on

struct ReplaceCase {
    const char* name;
    const char16_t *text, *needle, *replacement;
    bool case_sensitive, whole_word;
    const char16_t* result;
    qsizetype count;
};

class ReplaceAll : public testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceAll, ReplacesEveryMatchOnceAndCountsThem) {
    const ReplaceCase& c = GetParam();
    const FindOptions options{c.case_sensitive, c.whole_word};
    const QString text = QString::fromUtf16(c.text), needle = QString::fromUtf16(c.needle);
    const ReplaceResult result =
        replace_all(text, needle, QString::fromUtf16(c.replacement), options);
    EXPECT_EQ(result.text, QString::fromUtf16(c.result));
    EXPECT_EQ(result.count, c.count);
    EXPECT_EQ(find_all(text, needle, options).size(), c.count);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, ReplaceAll, testing::Values(
    ReplaceCase{"OverlappingTakenLeftToRight", u"aaaa", u"aa", u"b", false, false, u"bb", 2},
    ReplaceCase{"ReplacementNotSearchedAgain", u"aaa", u"a", u"aa", false, false, u"aaaaaa", 3},
    ReplaceCase{"EmptyNeedleChangesNothing", u"abc", u"", u"x", false, false, u"abc", 0},
    ReplaceCase{"WholeWords", u"cat concat cat", u"cat", u"dog", false, true, u"dog concat dog", 2},
    ReplaceCase{"LineBreaks", u"a\r\nb\r\n", u"\r\n", u"\n", false, false, u"a\nb\n", 2},
    ReplaceCase{"NeverHalfALineBreak", u"a\r\nb", u"\n", u" ", false, false, u"a\r\nb", 0},
    ReplaceCase{"NeverHalfAnEmoji", u"😀", u"\xDE00", u"x", false, false, u"😀", 0}),
    case_name<ReplaceCase>);
// clang-format on

struct MatchAtCase {
    const char* name;
    const char16_t *text, *needle;
    qsizetype start;
    bool whole_word, matches;
};

class MatchesAt : public testing::TestWithParam<MatchAtCase> {};

TEST_P(MatchesAt, TellsWhetherTheSelectionIsAMatch) {
    const MatchAtCase& c = GetParam();
    EXPECT_EQ(matches_at(QString::fromUtf16(c.text), QString::fromUtf16(c.needle), c.start,
                         {false, c.whole_word}),
              c.matches);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, MatchesAt, testing::Values(
    MatchAtCase{"Exact", u"abc", u"b", 1, false, true},
    MatchAtCase{"Elsewhere", u"abc", u"b", 0, false, false},
    MatchAtCase{"PartOfWord", u"abc", u"b", 1, true, false},
    MatchAtCase{"EmptyNeedle", u"abc", u"", 0, false, false}),
    case_name<MatchAtCase>);
// clang-format on

// Matches of a 3-unit needle at 2 and 10, replaced by a 5-unit text (or by nothing).
TEST(PositionAfterReplace, MovesWithTheTextAroundIt) {
    const std::pair<qsizetype, qsizetype> cases[] = {{1, 1}, {3, 2}, {5, 7}, {7, 9}, {20, 24}};
    for (const auto& [position, expected] : cases)
        EXPECT_EQ(position_after_replace(position, {2, 10}, 3, 5), expected) << position;
    EXPECT_EQ(position_after_replace(9, {0, 4}, 3, 0), 3);
}

} // namespace
