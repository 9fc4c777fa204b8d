#include "dialogs/colour_text.h"

#include <gtest/gtest.h>

namespace {

struct ColourCase {
    unsigned int number;
    const char* text;
};

class ColourText : public testing::TestWithParam<ColourCase> {};

TEST_P(ColourText, WritesRedGreenBlueInUpperCaseHex) {
    EXPECT_EQ(colour_text(GetParam().number), QString::fromLatin1(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Cases, ColourText,
                         testing::Values(ColourCase{255, "#FF0000"}, ColourCase{0, "#000000"},
                                         ColourCase{colour_number(0x12, 0x34, 0x56), "#123456"},
                                         ColourCase{10, "#0A0000"}, ColourCase{16777215, "#FFFFFF"},
                                         // Bits above the colour's 24 are not a colour: ignored.
                                         ColourCase{0x80000000u | 255u, "#FF0000"}));

} // namespace
