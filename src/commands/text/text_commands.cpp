#include "commands/registry.h"
#include "commands/text/fixed_pairs.h"

namespace {

constexpr NamedCommand kTextCommands[] = {
    {"grassetto", &run_fixed_pair<0>},     {"corsivo", &run_fixed_pair<1>},
    {"underline", &run_fixed_pair<2>},     {"sottolineato", &run_fixed_pair<3>},
    {"bigtxt", &run_fixed_pair<4>},        {"littletxt", &run_fixed_pair<5>},
    {"enfasi", &run_fixed_pair<6>},        {"enf_fort", &run_fixed_pair<7>},
    {"apice", &run_fixed_pair<8>},         {"pedice", &run_fixed_pair<9>},
    {"fixed_spac", &run_fixed_pair<10>},   {"lineacapo", &run_fixed_pair<11>},
    {"al_sx", &run_fixed_pair<12>},        {"al_dx", &run_fixed_pair<13>},
    {"al_cnt", &run_fixed_pair<14>},       {"alt_frame", &run_fixed_pair<15>},
    {"alt_script", &run_fixed_pair<16>},   {"html_blk", &run_fixed_pair<17>},
    {"intestazione", &run_fixed_pair<18>},
};

} // namespace

std::span<const NamedCommand> text_commands() {
    return kTextCommands;
}
