#include "commands/registry.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

QStringList names(std::span<const NamedCommand> group) {
    QStringList result;
    for (const NamedCommand& command : group)
        result << QLatin1StringView(command.name);
    return result;
}

struct GroupCase {
    const char* label;
    std::span<const NamedCommand> (*group)();
    QStringList items; // menu item names the group must serve
};

void PrintTo(const GroupCase& c, std::ostream* os) {
    *os << c.label;
}

class MenuGroup : public testing::TestWithParam<GroupCase> {};

TEST_P(MenuGroup, ServesEachMenuItemOnceUnderItsName) {
    const QStringList registered = names(GetParam().group());
    for (const QString& item : GetParam().items) {
        EXPECT_EQ(registered.count(item), 1) << item.toStdString();
        EXPECT_NE(find_command(item), nullptr) << item.toStdString();
    }
    QStringList distinct = registered;
    EXPECT_EQ(distinct.removeDuplicates(), 0) << "a name registered twice";
}

INSTANTIATE_TEST_SUITE_P(
    TextAndHead, MenuGroup,
    testing::Values(GroupCase{"Text",
                              &text_commands,
                              {"grassetto",     "corsivo",       "underline",       "sottolineato",
                               "bigtxt",        "littletxt",     "enfasi",          "enf_fort",
                               "apice",         "pedice",        "fixed_spac",      "lineacapo",
                               "al_sx",         "al_dx",         "al_cnt",          "alt_frame",
                               "alt_script",    "html_blk",      "intestazione",    "abbreviazione",
                               "acronimo",      "indirizzo",     "citazione",       "codice",
                               "sample_code",   "variabile",     "definizione",     "txt_user",
                               "one_line",      "space_pre",     "commento",        "tile",
                               "paragrafo",     "container_div", "container_span",  "div_line",
                               "numbered_list", "unumberd_list", "list_definition", "anchor",
                               "link",          "link_mail",     "pgtag_complete",  "corpo"}},
                    GroupCase{
                        "Head", &head_commands, {"base_addr", "lnk_tag", "meta_tag", "ext_file"}}),
    [](const testing::TestParamInfo<GroupCase>& info) { return std::string(info.param.label); });

} // namespace
