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

// Rows by control name, all others unticked.
std::vector<RowValue> rows_with(const std::map<QString, RowValue>& set) {
    std::vector<RowValue> rows(catalogue().size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto found = set.find(catalogue()[i].control.toString());
        if (found != set.end())
            rows[i] = found->second;
    }
    return rows;
}

RowValue ticked(const QString& text) {
    return {true, text, std::nullopt};
}

RowValue ticked_colour(std::optional<unsigned int> colour) {
    return {true, {}, colour};
}

struct RuleCase {
    const char* name;
    QString selector;
    std::map<QString, RowValue> rows;
    QString expected;
};

std::ostream& operator<<(std::ostream& out, const RuleCase& c) {
    return out << c.name;
}

class RuleText : public testing::TestWithParam<RuleCase> {};

TEST_P(RuleText, IsBuiltFromTheSelectorAndTheRowsTaken) {
    const RuleCase& c = GetParam();
    EXPECT_EQ(rule_text(c.selector, rows_with(c.rows), kWhite).toStdString(),
              c.expected.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RuleText,
    testing::Values(
        RuleCase{"nothing_ticked", "H1", {}, "H1 {\r\n}\r\n"},
        RuleCase{"empty_selector", "", {}, " {\r\n}\r\n"},
        RuleCase{"selector_with_leading_space", " p", {}, " p {\r\n}\r\n"},
        RuleCase{"typed_selector_taken_unchanged", "div.menu", {}, "div.menu {\r\n}\r\n"},
        RuleCase{"text_keeps_its_blanks",
                 "H1",
                 {{"cdimensione", ticked(" 12px ")}},
                 "H1 {\r\n\tfont-size:  12px ;\r\n}\r\n"},
        RuleCase{"blank_text_left_out", "H1", {{"cdimensione", ticked("   ")}}, "H1 {\r\n}\r\n"},
        RuleCase{"empty_text_left_out", "H1", {{"cdimensione", ticked("")}}, "H1 {\r\n}\r\n"},
        RuleCase{"unticked_text_left_out",
                 "H1",
                 {{"cdimensione", RowValue{false, "12px", {}}}},
                 "H1 {\r\n}\r\n"},
        RuleCase{"list_with_nothing_selected",
                 "H1",
                 {{"ctipo", ticked("")}},
                 "H1 {\r\n\tfont-family: ;\r\n}\r\n"},
        RuleCase{"values_not_escaped",
                 "P",
                 {{"simmagine_sfondo", ticked("url(\"a;b}.png\")")}},
                 "P {\r\n\tbackground-image: url(\"a;b}.png\");\r\n}\r\n"},
        RuleCase{"initial_swatch_writes_the_colour_shown",
                 "P",
                 {{"scolore", ticked_colour(std::nullopt)}},
                 "P {\r\n\tcolor: #FFFFFF;\r\n}\r\n"},
        RuleCase{"chosen_background_colour",
                 "P",
                 {{"scolore_sfondo", ticked_colour(255)}},
                 "P {\r\n\tbackground-color: #FF0000;\r\n}\r\n"},
        RuleCase{"body_example",
                 "BODY",
                 {{"cstile", ticked("normal")},
                  {"cdimensione", ticked("12px")},
                  {"scolore", ticked_colour(255)}},
                 "BODY {\r\n\tfont-size: 12px;\r\n\tfont-style: normal;\r\n\tcolor: "
                 "#FF0000;\r\n}\r\n"}),
    [](const testing::TestParamInfo<RuleCase>& info) { return std::string(info.param.name); });

TEST(RuleText, AllRowsTickedGiveEveryPropertyInCatalogueOrder) {
    std::vector<RowValue> rows(catalogue().size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        rows[i] = {true, QStringLiteral("v%1").arg(i), 0x123456u};
    const QString rule = rule_text(QStringLiteral("TD"), rows, kWhite);

    QString expected = QStringLiteral("TD {\r\n");
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const CatalogueRow& row = catalogue()[i];
        const QString value = row.kind == ValueKind::Colour ? QStringLiteral("#563412")
                                                            : QStringLiteral("v%1").arg(i);
        expected += u'\t' + row.property.toString() + value + QStringLiteral(";\r\n");
    }
    expected += QStringLiteral("}\r\n");
    EXPECT_EQ(rule.toStdString(), expected.toStdString());
    EXPECT_EQ(rule.count(QStringLiteral("\r\n")), 27);
}

TEST(RuleText, MissingRowsCountAsUnticked) {
    const std::vector<RowValue> first_only = {ticked("Georgia, serif")};
    EXPECT_EQ(rule_text(QStringLiteral("B"), first_only, kWhite).toStdString(),
              "B {\r\n\tfont-family: Georgia, serif;\r\n}\r\n");
}

struct ColourCase {
    unsigned int colour;
    const char* text;
};

class SistemaColore : public testing::TestWithParam<ColourCase> {};

TEST_P(SistemaColore, WritesRedGreenBlueInUpperCaseHex) {
    EXPECT_EQ(sistema_colore(GetParam().colour).toStdString(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Colours, SistemaColore,
                         testing::Values(ColourCase{255, "#FF0000"}, ColourCase{65280, "#00FF00"},
                                         ColourCase{16711680, "#0000FF"}, ColourCase{0, "#000000"},
                                         ColourCase{658188, "#0C0B0A"}, ColourCase{10, "#0A0000"}));

// The catalogue table.

TEST(Catalogue, HasTwentyFiveRowsInFourFramesTopToBottom) {
    ASSERT_EQ(catalogue().size(), 25u);
    ASSERT_EQ(catalogue_frames().size(), 4u);
    const int rows_per_frame[] = {5, 7, 7, 6};
    int expected_frame = 0, expected_row = 0;
    for (const CatalogueRow& row : catalogue()) {
        if (expected_row == rows_per_frame[expected_frame]) {
            ++expected_frame;
            expected_row = 0;
        }
        EXPECT_EQ(row.frame, expected_frame) << row.control.toString().toStdString();
        EXPECT_EQ(row.row, expected_row) << row.control.toString().toStdString();
        ++expected_row;
    }
    EXPECT_EQ(catalogue_frames()[0].caption, u"Caratteri");
    EXPECT_EQ(catalogue_frames()[1].caption, u"Testo");
    EXPECT_EQ(catalogue_frames()[2].caption, u"Posizione");
    EXPECT_EQ(catalogue_frames()[3].caption, u"Colore e Sfondo");
}

TEST(Catalogue, CheckBoxesAreNamedAfterTheirControls) {
    for (const CatalogueRow& row : catalogue())
        EXPECT_EQ(row.check_box.toString(), row.control.toString() + QStringLiteral("_c"));
}

TEST(Catalogue, WritesThesePropertiesInThisOrder) {
    const std::vector<std::pair<const char*, const char*>> expected = {
        {"ctipo", "font-family: "},
        {"cdimensione", "font-size: "},
        {"cstile", "font-style: "},
        {"cvariante", "font-variant: "},
        {"cspessore", "font-weight: "},
        {"tallineamento", "text-align: "},
        {"tdecorazione", "text-decoration: "},
        {"trientro", "text-indent: "},
        {"ttrasformazione", "text-transform: "},
        {"taltezza", "line-height: "},
        {"tspaziamento", "letter-spacing: "},
        {"tallineamento_verticale", "vertical-align: "},
        {"pposizione", "position: "},
        {"pmargine_superiore", "top: "},
        {"pmargine_sinistro", "left: "},
        {"plarghezza", "width: "},
        {"paltezza", "height: "},
        {"pvisibilita", "visibility: "},
        {"pprofondita", "z-index: "},
        {"scolore", "color: "},
        {"scolore_sfondo", "background-color: "},
        {"simmagine_sfondo", "background-image: "},
        {"sripetizione_sfondo", "background-repeat: "},
        {"sposizione_sfondo", "background-position: "},
        {"sscrolling_sfondo", "background-attachment: "},
    };
    ASSERT_EQ(catalogue().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(catalogue()[i].control.toString().toStdString(), expected[i].first);
        EXPECT_EQ(catalogue()[i].property.toString().toStdString(), expected[i].second);
    }
}

TEST(Catalogue, ListsStartAtTheirSecondItemExceptTheFontList) {
    std::vector<std::string> starts;
    for (const CatalogueRow& row : catalogue()) {
        if (row.kind != ValueKind::List)
            continue;
        if (row.control == u"ctipo") {
            EXPECT_EQ(row.start_index, -1);
            EXPECT_FALSE(row.items.empty());
            continue;
        }
        ASSERT_EQ(row.start_index, 1) << row.control.toString().toStdString();
        starts.push_back(row.items[1].toString().toStdString());
    }
    const std::vector<std::string> expected = {"normal",    "small-caps", "bolder", "left",
                                               "underline", "uppercase",  "sub",    "relative",
                                               "hidden",    "repeat-x",   "fixed"};
    EXPECT_EQ(starts, expected);
}

TEST(Catalogue, SelectorListHoldsThirteenItems) {
    QStringList items;
    for (QStringView item : selector_items())
        items << item.toString();
    EXPECT_EQ(items.join(u'|').toStdString(),
              " B| I| p|A:HOVER|A:LINK|A:VISITED|BODY|H1|H2|H3|H4|TD|TR");
}

} // namespace
