#include "app/layout.h"
#include "platform/twips.h"

#include <gtest/gtest.h>

namespace {

struct SizeCase {
    double width;
    double height;
    bool applies;
};

class ResizeRuleThreshold : public testing::TestWithParam<SizeCase> {};

TEST_P(ResizeRuleThreshold, AppliesOnlyAboveBothThresholds) {
    EXPECT_EQ(resize_rule(GetParam().width, GetParam().height).has_value(), GetParam().applies);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ResizeRuleThreshold,
                         testing::Values(SizeCase{14760, 9000, false}, SizeCase{16000, 8355, false},
                                         SizeCase{14775, 8370, true}, SizeCase{14761, 8356, true}));

TEST(ResizeRule, OddWidthGivesHalfTwips) {
    const auto layout = resize_rule(14775, 8370);
    ASSERT_TRUE(layout);
    EXPECT_DOUBLE_EQ(layout->edit_width, 7207.5);
    EXPECT_DOUBLE_EQ(layout->browser_left, 7427.5);
    EXPECT_DOUBLE_EQ(layout->browser_width, 7127.5);
    EXPECT_DOUBLE_EQ(layout->edit_height, 8370 - 1560 - 800);
    EXPECT_DOUBLE_EQ(layout->browser_height, 8370 - 120 - 800);
}

TEST(Twips, FifteenTwipsMakeOnePixelAndHalfTwipsRound) {
    EXPECT_EQ(twips(7290), 486);
    EXPECT_EQ(twips(7207.5), 481); // 480.5 pixels round up
    EXPECT_EQ(twips(7427.5), 495);
    EXPECT_EQ(twips(22.5), 2);
}

} // namespace
