#include "commands/number.h"

#include <gtest/gtest.h>

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
        AnswerCase{"UnitAfterNumber", "12px", "12"}, AnswerCase{"Zero", "0", nullptr},
        AnswerCase{"Negative", "-3", nullptr}, AnswerCase{"Empty", "", nullptr},
        AnswerCase{"PlusSign", "+4", "4"},
        // Blanks: trimmed at both ends, skipped inside.
        AnswerCase{"BlanksAround", " 3 ", "3"}, AnswerCase{"BlankBetweenDigits", "1 2", "12"},
        // Fractions: full stop, no trailing zeros; the comma is not a separator.
        AnswerCase{"TrailingZeros", "2.50", "2.5"}, AnswerCase{"NoIntegerPart", ".5", "0.5"},
        AnswerCase{"Comma", "1,5", "1"}, AnswerCase{"SecondFullStop", "1.2.3", "1.2"},
        // Exponents.
        AnswerCase{"Exponent", "1e3", "1000"},
        AnswerCase{"NegativeExponent", "1.25e-5", "0.0000125"},
        AnswerCase{"ExponentSignWithoutDigits", "3e+px", "3"},
        AnswerCase{"LongFractionBigExponent", "0." + kFourHundredZeros + "1e400", "0.1"},
        AnswerCase{"LargeWithFraction", "1000000000000000.5", "1000000000000000.5"},
        // Beyond the range of double: no attribute; below it: zero.
        AnswerCase{"Overflow", "1e999", nullptr},
        AnswerCase{"OverflowManyDigits", "1" + kFourHundredZeros, nullptr},
        AnswerCase{"Underflow", "1e-999", nullptr}),
    [](const testing::TestParamInfo<AnswerCase>& info) { return std::string(info.param.label); });

} // namespace
