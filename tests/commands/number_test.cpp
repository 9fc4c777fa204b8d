#include "commands/number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

namespace {

// A numeric answer and the attribute value it yields; nullptr: no attribute.
struct AnswerCase {
    const char* label;
    std::string answer;
    const char* value;
};

void PrintTo(const AnswerCase& c, std::ostream* os) {
    *os << '"' << c.answer << '"';
}

class NumericAnswer : public testing::TestWithParam<AnswerCase> {};

TEST_P(NumericAnswer, YieldsTheAttributeValueOnlyForPositiveFiniteNumbers) {
    const AnswerCase& c = GetParam();
    const std::optional<QString> value = numeric_value(QString::fromStdString(c.answer));
    if (c.value == nullptr) {
        EXPECT_FALSE(value.has_value()) << "got " << value->toStdString();
    } else {
        ASSERT_TRUE(value.has_value());
        EXPECT_EQ(value->toStdString(), c.value);
    }
}

const std::string kFourHundredZeros(400, '0');

INSTANTIATE_TEST_SUITE_P(
    Answers, NumericAnswer,
    testing::Values(
        // Leading number, then anything.
        AnswerCase{"UnitAfterNumber", "12px", "12"}, AnswerCase{"Percentage", "34%", "34"},
        AnswerCase{"Ordinal", "2nd", "2"}, AnswerCase{"Zero", "0", nullptr},
        AnswerCase{"Negative", "-3", nullptr}, AnswerCase{"MinusZero", "-0", nullptr},
        AnswerCase{"Letters", "abc", nullptr}, AnswerCase{"Empty", "", nullptr},
        AnswerCase{"OnlyBlanks", " \t ", nullptr}, AnswerCase{"PlusSign", "+4", "4"},
        AnswerCase{"LoneSign", "+", nullptr}, AnswerCase{"LoneFullStop", ".", nullptr},
        AnswerCase{"SignThenLetters", "-x", nullptr},
        // Blanks: trimmed at both ends, skipped inside.
        AnswerCase{"BlanksAround", " 3 ", "3"}, AnswerCase{"TabsAround", "\t7\t", "7"},
        AnswerCase{"BlankBetweenDigits", "1 2", "12"},
        AnswerCase{"TabBetweenDigits", "1\t2px", "12"}, AnswerCase{"BlankAfterSign", "+ 4", "4"},
        AnswerCase{"BlankAfterMinus", "- 3", nullptr},
        AnswerCase{"BlanksAroundExponent", "1 e 3", "1000"},
        AnswerCase{"BlanksInFraction", "2 . 5", "2.5"},
        // Fractions: full stop, no trailing zeros; the comma is not a separator.
        AnswerCase{"TrailingZeros", "2.50", "2.5"}, AnswerCase{"NoIntegerPart", ".5", "0.5"},
        AnswerCase{"NoFractionDigits", "5.", "5"}, AnswerCase{"WholeWithZeros", "3.000", "3"},
        AnswerCase{"Comma", "1,5", "1"}, AnswerCase{"SecondFullStop", "1.2.3", "1.2"},
        AnswerCase{"SmallFraction", "0.1", "0.1"},
        // Exponents.
        AnswerCase{"Exponent", "1e3", "1000"}, AnswerCase{"FractionExponent", "1.5e1", "15"},
        AnswerCase{"UpperCaseExponent", "2E2", "200"},
        AnswerCase{"NegativeExponent", "1.25e-5", "0.0000125"},
        AnswerCase{"ExponentPlusSign", "4e+1", "40"},
        AnswerCase{"ExponentWithoutDigits", "1e", "1"},
        AnswerCase{"ExponentSignWithoutDigits", "3e+px", "3"},
        AnswerCase{"ExponentAlone", "e5", nullptr},
        AnswerCase{"ExponentLeadingZeros", "1.5e00000001", "15"},
        AnswerCase{"NegativeExponentLeadingZeros", "1.5e-00000001", "0.15"},
        AnswerCase{"LongFractionBigExponent", "0." + kFourHundredZeros + "1e400", "0.1"},
        AnswerCase{"LargeWholeNumber", "1e20", "100000000000000000000"},
        // Beyond the range of double: no attribute; below it: zero.
        AnswerCase{"Overflow", "1e999", nullptr},
        AnswerCase{"OverflowWithFraction", "1.5e999", nullptr},
        AnswerCase{"OverflowHugeExponent", "1e99999999999999999999", nullptr},
        AnswerCase{"OverflowManyDigits", "1" + kFourHundredZeros, nullptr},
        AnswerCase{"Underflow", "1e-999", nullptr}),
    [](const testing::TestParamInfo<AnswerCase>& info) { return std::string(info.param.label); });

struct FormatCase {
    const char* label;
    double value;
    const char* text;
};

class FormatNumber : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatNumber, WritesPlainDecimalDigitsWithAFullStop) {
    EXPECT_EQ(format_number(GetParam().value).toStdString(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatNumber,
    testing::Values(FormatCase{"Whole", 12.0, "12"}, FormatCase{"Fraction", 2.5, "2.5"},
                    FormatCase{"ShortestRoundTrip", 0.1, "0.1"},
                    FormatCase{"Tiny", 1.5e-7, "0.00000015"},
                    FormatCase{"HugeWhole", 1e16, "10000000000000000"},
                    FormatCase{"HugeWithFraction", 1000000000000000.5, "1000000000000000.5"},
                    FormatCase{"NegativeWhole", -3.0, "-3"}),
    [](const testing::TestParamInfo<FormatCase>& info) { return std::string(info.param.label); });

TEST(ReadNumber, ReadsBeyondRangeAsInfinity) {
    EXPECT_TRUE(std::isinf(read_number(u"1e999")));
}

TEST(ReadNumber, ReadsTextWithoutANumberAsZero) {
    EXPECT_EQ(read_number(u"abc"), 0.0);
    EXPECT_EQ(read_number(u""), 0.0);
}

} // namespace
