// The nineteen commands that ask nothing: the two texts they put around the
// selection (their captions are checked with the whole menu bar).

#include "commands/registry.h"
#include "support/scripted_asker.h"

#include <gtest/gtest.h>

namespace {

struct PairCase {
    const char *name, *open, *close;
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
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(AllNineteen, FixedPairCommand, testing::Values(
    PairCase{"grassetto", "<b>", "</b>"},
    PairCase{"corsivo", "<i>", "</i>"},
    PairCase{"underline", "<strike>", "</strike>"},
    PairCase{"sottolineato", "<u>", "</u>"},
    PairCase{"bigtxt", "<big>", "</big>"},
    PairCase{"littletxt", "<small>", "</small>"},
    PairCase{"enfasi", "<em>", "</em>"},
    PairCase{"enf_fort", "<strong>", "</strong>"},
    PairCase{"apice", "<sup>", "</sup>"},
    PairCase{"pedice", "<sub>", "</sub>"},
    PairCase{"fixed_spac", "<tt>", "</tt>"},
    PairCase{"lineacapo", "<br>", ""},
    PairCase{"al_sx", "<left>", "</left>"},
    PairCase{"al_dx", "<rigth>", "</rigth>"},
    PairCase{"al_cnt", "<center>", "</center>"},
    PairCase{"alt_frame", "<noframe>\r\n", "\r\n</noframe>"},
    PairCase{"alt_script", "<noscript>\r\n", "\r\n</noscript>"},
    PairCase{"html_blk", "<html>\r\n", "\r\n</html>"},
    PairCase{"intestazione", "<head>\r\n", "\r\n</head>"}),
    [](const testing::TestParamInfo<PairCase>& info) { return std::string(info.param.name); });
// clang-format on

} // namespace
