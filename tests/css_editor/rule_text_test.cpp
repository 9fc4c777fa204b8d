// The style rule built from the selector and the catalogue rows, the colour
// text, and the catalogue table that drives both.

#include "css_editor/catalogue.h"
#include "css_editor/rule_text.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace {

constexpr unsigned int kWhite = 0xFFFFFF;

RowValue ticked(const QString& text) {
    return {true, text, std::nullopt};
}
RowValue colour(std::optional<unsigned int> colour) {
    return {true, {}, colour};
}

struct RuleCase {
    const char* name;
    QString selector;
    std::map<QString, RowValue> rows; // by control name, the others unticked
    QString expected;
};

class RuleText : public testing::TestWithParam<RuleCase> {};

TEST_P(RuleText, IsBuiltFromTheSelectorAndTheRowsTaken) {
    const RuleCase& c = GetParam();
    std::vector<RowValue> rows(catalogue().size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (const auto found = c.rows.find(catalogue()[i].control.toString());
            found != c.rows.end())
            rows[i] = found->second;
    EXPECT_EQ(rule_text(c.selector, rows, kWhite).toStdString(), c.expected.toStdString());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, RuleText, testing::Values(
    RuleCase{"nothing_ticked", "H1", {}, "H1 {\r\n}\r\n"},
    RuleCase{"text_keeps_its_blanks", "H1", {{"cdimensione", ticked(" 12px ")}}, "H1 {\r\n\tfont-size:  12px ;\r\n}\r\n"},
    RuleCase{"blank_text_left_out", "H1", {{"cdimensione", ticked("   ")}}, "H1 {\r\n}\r\n"},
    RuleCase{"list_with_nothing_selected", "H1", {{"ctipo", ticked("")}}, "H1 {\r\n\tfont-family: ;\r\n}\r\n"},
    RuleCase{"values_not_escaped", "P", {{"simmagine_sfondo", ticked("url(\"a;b}.png\")")}}, "P {\r\n\tbackground-image: url(\"a;b}.png\");\r\n}\r\n"},
    RuleCase{"initial_swatch_writes_the_colour_shown", "P", {{"scolore", colour(std::nullopt)}}, "P {\r\n\tcolor: #FFFFFF;\r\n}\r\n"},
    RuleCase{"body_example", "BODY", {{"cstile", ticked("normal")}, {"cdimensione", ticked("12px")}, {"scolore", colour(255)}},
             "BODY {\r\n\tfont-size: 12px;\r\n\tfont-style: normal;\r\n\tcolor: #FF0000;\r\n}\r\n"}),
    [](const testing::TestParamInfo<RuleCase>& info) { return std::string(info.param.name); });
// clang-format on

TEST(RuleText, AllRowsTickedGiveEveryPropertyInCatalogueOrder) {
    const std::vector<RowValue> rows(catalogue().size(), RowValue{true, "v", 0x123456u});
    EXPECT_EQ(rule_text(QStringLiteral("TD"), rows, kWhite).toStdString(),
              "TD {\r\n\tfont-family: v;\r\n\tfont-size: v;\r\n\tfont-style: v;\r\n"
              "\tfont-variant: v;\r\n\tfont-weight: v;\r\n\ttext-align: v;\r\n"
              "\ttext-decoration: v;\r\n\ttext-indent: v;\r\n\ttext-transform: v;\r\n"
              "\tline-height: v;\r\n\tletter-spacing: v;\r\n\tvertical-align: v;\r\n"
              "\tposition: v;\r\n\ttop: v;\r\n\tleft: v;\r\n\twidth: v;\r\n\theight: v;\r\n"
              "\tvisibility: v;\r\n\tz-index: v;\r\n\tcolor: #563412;\r\n"
              "\tbackground-color: #563412;\r\n\tbackground-image: v;\r\n"
              "\tbackground-repeat: v;\r\n\tbackground-position: v;\r\n"
              "\tbackground-attachment: v;\r\n}\r\n");
    // Rows missing at the end count as unticked.
    EXPECT_EQ(rule_text(QStringLiteral("B"), std::vector{ticked("Georgia")}, kWhite).toStdString(),
              "B {\r\n\tfont-family: Georgia;\r\n}\r\n");
    EXPECT_EQ(sistema_colore(658188).toStdString(), "#0C0B0A");
}

// Every list starts at its second item, but the font list at none.
TEST(Catalogue, ListsStartAtTheirSecondItemExceptTheFontList) {
    QStringList starts;
    for (const CatalogueRow& row : catalogue())
        if (row.kind == ValueKind::List)
            starts << (row.start_index < 0 ? row.control.toString()
                                           : row.items[row.start_index].toString());
    EXPECT_EQ(starts.join(u' ').toStdString(), "ctipo normal small-caps bolder left underline "
                                               "uppercase sub relative hidden repeat-x fixed");
}

} // namespace
