// Literal search and replace: wrap-round, case, whole words, and never a
// match that splits a line break or a character.

#include "find/find_replace.h"

#include <gtest/gtest.h>

namespace {

struct FindCase {
    const char* name;
    const char16_t* text;
    const char16_t* needle;
    qsizetype from;
    bool case_sensitive;
    bool whole_word;
    qsizetype start; // -1: nothing found
    bool wrapped;
};

std::optional<TextMatch> expected(const FindCase& c) {
    if (c.start < 0)
        return std::nullopt;
    return TextMatch{c.start, QString::fromUtf16(c.needle).size(), c.wrapped};
}

std::string case_name(const testing::TestParamInfo<FindCase>& info) {
    return info.param.name;
}

class FindNext : public testing::TestWithParam<FindCase> {};

TEST_P(FindNext, FindsFirstMatchFromPositionAndWrapsRound) {
    const FindCase& c = GetParam();
    EXPECT_EQ(find_next(QString::fromUtf16(c.text), QString::fromUtf16(c.needle), c.from,
                        {c.case_sensitive, c.whole_word}),
              expected(c));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, FindNext, testing::Values(
    FindCase{"AfterPosition", u"abc abc", u"abc", 1, false, false, 4, false},
    FindCase{"WrapsToStart", u"abc abc", u"abc", 5, false, false, 0, true},
    FindCase{"FromBeyondEndIsClamped", u"ab", u"a", 99, false, false, 0, true},
    FindCase{"FromNegativeIsClamped", u"ab", u"b", -5, false, false, 1, false},
    FindCase{"NoMatch", u"abc", u"x", 0, false, false, -1, false},
    FindCase{"EmptyNeedleMatchesNowhere", u"abc", u"", 0, false, false, -1, false},
    FindCase{"NeedleLongerThanText", u"ab", u"abc", 0, false, false, -1, false},
    FindCase{"IgnoresCaseOfAccentedLetters", u"CAFFÈ", u"caffè", 0, false, false, 0, false},
    FindCase{"CaseSensitiveAccentedLetters", u"CAFFÈ caffè", u"caffè", 0, true, false, 6, false},
    FindCase{"OverlappingFromInside", u"aaaa", u"aa", 1, false, false, 1, false},
    FindCase{"WholeLineBreak", u"a\r\nb", u"\r\n", 0, false, false, 1, false},
    FindCase{"NeverLfHalfOfCrLf", u"a\r\nb", u"\n", 0, false, false, -1, false},
    FindCase{"NeverCrHalfOfCrLf", u"a\r\nb", u"\r", 0, false, false, -1, false},
    FindCase{"NeverEndingBetweenCrAndLf", u"x\r\ny", u"x\r", 0, false, false, -1, false},
    FindCase{"LoneLfFound", u"a\nb\r\n", u"\n", 0, false, false, 1, false},
    FindCase{"LoneCrFound", u"a\rb", u"\r", 0, false, false, 1, false},
    FindCase{"FromInsideEmojiGoesOn", u"a😀b😀", u"😀", 2, false, false, 4, false},
    FindCase{"NeverHighHalfOfEmoji", u"a😀b", u"\xD83D", 0, false, false, -1, false},
    FindCase{"NeverLowHalfOfEmoji", u"a😀b", u"\xDE00", 0, false, false, -1, false},
    FindCase{"WholeWordSkipsPartOfWord", u"concat cat", u"cat", 0, false, true, 7, false},
    FindCase{"WholeWordAtTextEdges", u"cat", u"cat", 0, false, true, 0, false},
    FindCase{"WholeWordAccentedLetterAfter", u"perchè perch", u"perch", 0, false, true, 7, false},
    FindCase{"WholeWordAccentedLetterBefore", u"èra ra", u"ra", 0, false, true, 4, false},
    FindCase{"WholeWordCombiningMarkAfter", u"cafe\u0301 cafe", u"cafe", 0, false, true, 6, false},
    FindCase{"WholeWordDigitJoins", u"a1 a", u"a", 0, false, true, 3, false},
    FindCase{"WholeWordUnderscoreJoins", u"foo_bar foo", u"foo", 0, false, true, 8, false},
    FindCase{"WholeWordLetterBeyondBmpJoins", u"x𝐀 x", u"x", 0, false, true, 4, false},
    FindCase{"WholeWordPunctuationNeedle", u"a<p>b", u"<p>", 0, false, true, 1, false},
    FindCase{"WholeWordWordEdgeOfMixedNeedle", u"ab-c b-", u"b-", 0, false, true, 5, false},
    FindCase{"WholeWordWraps", u"cat concat", u"cat", 1, false, true, 0, true}),
    case_name);
// clang-format on

class FindPrevious : public testing::TestWithParam<FindCase> {};

TEST_P(FindPrevious, FindsLastMatchEndingBeforePositionAndWrapsRound) {
    const FindCase& c = GetParam();
    EXPECT_EQ(find_previous(QString::fromUtf16(c.text), QString::fromUtf16(c.needle), c.from,
                            {c.case_sensitive, c.whole_word}),
              expected(c));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, FindPrevious, testing::Values(
    FindCase{"MatchMustEndBeforePosition", u"abc abc", u"abc", 6, false, false, 0, false},
    FindCase{"WrapsToEnd", u"abc abc", u"abc", 2, false, false, 4, true},
    FindCase{"FromBeyondEndIsClamped", u"ab", u"a", 99, false, false, 0, false},
    FindCase{"OverlappingStepsBack", u"aaaa", u"aa", 2, false, false, 0, false},
    FindCase{"OverlappingFromEnd", u"aaaa", u"aa", 4, false, false, 2, false},
    FindCase{"EmptyNeedle", u"abc", u"", 3, false, false, -1, false},
    FindCase{"CaseSensitive", u"abc ABC", u"abc", 7, true, false, 0, false},
    FindCase{"WholeWordSkipsPartOfWord", u"cat concat cat", u"cat", 11, false, true, 0, false},
    FindCase{"EmojiBeforeEmoji", u"😀x😀", u"😀", 5, false, false, 3, false},
    FindCase{"NeverLfHalfOfCrLf", u"a\r\n", u"\n", 3, false, false, -1, false}),
    case_name);
// clang-format on

struct ReplaceCase {
    const char* name;
    const char16_t* text;
    const char16_t* needle;
    const char16_t* replacement;
    bool case_sensitive;
    bool whole_word;
    const char16_t* result;
    qsizetype count;
};

class ReplaceAll : public testing::TestWithParam<ReplaceCase> {};

TEST_P(ReplaceAll, ReplacesEveryMatchOnceAndCountsThem) {
    const ReplaceCase& c = GetParam();
    const FindOptions options{c.case_sensitive, c.whole_word};
    const QString text = QString::fromUtf16(c.text);
    const ReplaceResult result =
        replace_all(text, QString::fromUtf16(c.needle), QString::fromUtf16(c.replacement), options);
    EXPECT_EQ(result.text, QString::fromUtf16(c.result));
    EXPECT_EQ(result.count, c.count);
    EXPECT_EQ(find_all(text, QString::fromUtf16(c.needle), options).size(), c.count);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, ReplaceAll, testing::Values(
    ReplaceCase{"OverlappingTakenLeftToRight", u"aaaa", u"aa", u"b", false, false, u"bb", 2},
    ReplaceCase{"OddOverlapLeavesRest", u"aaa", u"aa", u"b", false, false, u"ba", 1},
    ReplaceCase{"ReplacementNotSearchedAgain", u"aaa", u"a", u"aa", false, false, u"aaaaaa", 3},
    ReplaceCase{"EmptyNeedleChangesNothing", u"abc", u"", u"x", false, false, u"abc", 0},
    ReplaceCase{"WithNothing", u"a-b-c", u"-", u"", false, false, u"abc", 2},
    ReplaceCase{"CaseSensitive", u"Foo foo FOO", u"foo", u"bar", true, false, u"Foo bar FOO", 1},
    ReplaceCase{"IgnoringCaseBeyondAscii", u"ÉCOLE école", u"école", u"x", false, false, u"x x", 2},
    ReplaceCase{"WholeWords", u"cat concat cat", u"cat", u"dog", false, true, u"dog concat dog", 2},
    ReplaceCase{"WholeAccentedWords", u"è è perchè", u"è", u"e", false, true, u"e e perchè", 2},
    ReplaceCase{"LineBreaks", u"a\r\nb\r\n", u"\r\n", u"\n", false, false, u"a\nb\n", 2},
    ReplaceCase{"NeverHalfALineBreak", u"a\r\nb", u"\n", u" ", false, false, u"a\r\nb", 0},
    ReplaceCase{"Emoji", u"😀a😀", u"😀", u"x", false, false, u"xax", 2},
    ReplaceCase{"IntoEmoji", u"a:)b", u":)", u"😀", false, false, u"a😀b", 1},
    ReplaceCase{"NeverHalfAnEmoji", u"😀", u"\xDE00", u"x", false, false, u"😀", 0}),
    [](const testing::TestParamInfo<ReplaceCase>& info) { return std::string(info.param.name); });
// clang-format on

struct MatchAtCase {
    const char* name;
    const char16_t* text;
    const char16_t* needle;
    qsizetype start;
    bool whole_word;
    bool matches;
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
    MatchAtCase{"Negative", u"abc", u"a", -1, false, false},
    MatchAtCase{"RunsOffEnd", u"abc", u"cd", 2, false, false},
    MatchAtCase{"PartOfWord", u"abc", u"b", 1, true, false},
    MatchAtCase{"EmptyNeedle", u"abc", u"", 0, false, false}),
    [](const testing::TestParamInfo<MatchAtCase>& info) { return std::string(info.param.name); });
// clang-format on

struct CaretCase {
    const char* name;
    qsizetype position;
    qsizetype expected;
};

// Matches of a 3-unit needle at 2 and 10, replaced by a 5-unit text.
class PositionAfterReplace : public testing::TestWithParam<CaretCase> {};

TEST_P(PositionAfterReplace, MovesWithTheTextAroundIt) {
    EXPECT_EQ(position_after_replace(GetParam().position, {2, 10}, 3, 5), GetParam().expected);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, PositionAfterReplace, testing::Values(
    CaretCase{"BeforeEveryMatch", 1, 1},
    CaretCase{"InsideMatch", 3, 2},
    CaretCase{"AtEndOfMatch", 5, 7},
    CaretCase{"BetweenMatches", 7, 9},
    CaretCase{"AfterEveryMatch", 20, 24}),
    [](const testing::TestParamInfo<CaretCase>& info) { return std::string(info.param.name); });
// clang-format on

TEST(PositionAfterReplaceShrinking, MovesBackWhenReplacementIsShorter) {
    EXPECT_EQ(position_after_replace(9, {0, 4}, 3, 0), 3);
}

} // namespace
