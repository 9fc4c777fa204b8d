// The nineteen commands that ask nothing: their menu caption and the two
// texts they put around the selection.

#include "app/menu_table.h"
#include "commands/registry.h"
#include "support/scripted_asker.h"

#include <gtest/gtest.h>

namespace {

struct PairCase {
    const char *name, *caption, *open, *close;
};

class FixedPairCommand : public testing::TestWithParam<PairCase> {};

TEST_P(FixedPairCommand, InsertsItsPairWithoutAskingAnything) {
    const PairCase& c = GetParam();
    const TagCommand command = find_command(QLatin1StringView(c.name));
    ASSERT_NE(command, nullptr) << c.name;
    ScriptedAsker asker;
    const auto snippet = command(asker);
    ASSERT_TRUE(snippet.has_value());
    EXPECT_EQ(snippet->open, QString::fromUtf8(c.open));
    EXPECT_EQ(snippet->close, QString::fromUtf8(c.close));
    EXPECT_TRUE(asker.questions().isEmpty());
    EXPECT_EQ(find_command(u"nessuno"), nullptr);
    QStringList captions;
    for (const MenuDef& menu : menu_table())
        for (const MenuItemDef& item : menu.items)
            if (QLatin1StringView(item.name) == QLatin1StringView(c.name))
                captions << QString::fromUtf16(item.caption);
    EXPECT_EQ(captions.join(u'|').toStdString(), c.caption); // once in the menus
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(AllNineteen, FixedPairCommand, testing::Values(
    PairCase{"grassetto", "&Grassetto", "<b>", "</b>"},
    PairCase{"corsivo", "C&orsivo", "<i>", "</i>"},
    PairCase{"underline", "&Barrato", "<strike>", "</strike>"},
    PairCase{"sottolineato", "&Sottolineato", "<u>", "</u>"},
    PairCase{"bigtxt", "&Testo Grande", "<big>", "</big>"},
    PairCase{"littletxt", "T&esto Piccolo", "<small>", "</small>"},
    PairCase{"enfasi", "&Enfasi", "<em>", "</em>"},
    PairCase{"enf_fort", "&Forte enfasi", "<strong>", "</strong>"},
    PairCase{"apice", "&Apice", "<sup>", "</sup>"},
    PairCase{"pedice", "&Pedice", "<sub>", "</sub>"},
    PairCase{"fixed_spac", "&Carattere a spaziatura fissa", "<tt>", "</tt>"},
    PairCase{"lineacapo", "&Linea a Capo", "<br>", ""},
    PairCase{"al_sx", "Allineamento a &Sinistra", "<left>", "</left>"},
    PairCase{"al_dx", "Allineamento a &Destra", "<rigth>", "</rigth>"},
    PairCase{"al_cnt", "Allineamento al &Centro", "<center>", "</center>"},
    PairCase{"alt_frame", "&Contenuto alternativo Frame", "<noframe>\r\n", "\r\n</noframe>"},
    PairCase{"alt_script", "C&ontenuto alternativo script", "<noscript>\r\n", "\r\n</noscript>"},
    PairCase{"html_blk", "&Blocco HTML", "<html>\r\n", "\r\n</html>"},
    PairCase{"intestazione", "&Intestazione", "<head>\r\n", "\r\n</head>"}),
    [](const testing::TestParamInfo<PairCase>& info) { return std::string(info.param.name); });
// clang-format on

} // namespace
