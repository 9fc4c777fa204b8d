#pragma once

#include "commands/registry.h"

#include <array>
#include <span>
#include <utility>

// The commands that ask nothing and insert a fixed pair of texts.
struct FixedPair {
    const char* name;
    const char16_t* open;
    const char16_t* close;
};

// Written exactly as the program has always written them: "<rigth>" and the
// singular "<noframe>" included.
inline constexpr std::array kFixedPairs{
    FixedPair{"grassetto", u"<b>", u"</b>"},
    FixedPair{"corsivo", u"<i>", u"</i>"},
    FixedPair{"underline", u"<strike>", u"</strike>"},
    FixedPair{"sottolineato", u"<u>", u"</u>"},
    FixedPair{"bigtxt", u"<big>", u"</big>"},
    FixedPair{"littletxt", u"<small>", u"</small>"},
    FixedPair{"enfasi", u"<em>", u"</em>"},
    FixedPair{"enf_fort", u"<strong>", u"</strong>"},
    FixedPair{"apice", u"<sup>", u"</sup>"},
    FixedPair{"pedice", u"<sub>", u"</sub>"},
    FixedPair{"fixed_spac", u"<tt>", u"</tt>"},
    FixedPair{"lineacapo", u"<br>", u""},
    FixedPair{"al_sx", u"<left>", u"</left>"},
    FixedPair{"al_dx", u"<rigth>", u"</rigth>"},
    FixedPair{"al_cnt", u"<center>", u"</center>"},
    FixedPair{"alt_frame", u"<noframe>\r\n", u"\r\n</noframe>"},
    FixedPair{"alt_script", u"<noscript>\r\n", u"\r\n</noscript>"},
    FixedPair{"html_blk", u"<html>\r\n", u"\r\n</html>"},
    FixedPair{"intestazione", u"<head>\r\n", u"\r\n</head>"},
};

// The pair of the fixed-pair command `name`, or nothing when there is none.
std::optional<Snippet> fixed_pair(const char* name);

// The tag command of the pair at `index` of kFixedPairs.
template <std::size_t index> std::optional<Snippet> run_fixed_pair(Asker&) {
    constexpr const FixedPair& pair = kFixedPairs[index];
    return Snippet{QString::fromUtf16(pair.open), QString::fromUtf16(pair.close)};
}

// One named command per pair of the table, in its order.
template <std::size_t... index>
constexpr std::array<NamedCommand, sizeof...(index)>
fixed_pair_command_table(std::index_sequence<index...>) {
    return {NamedCommand{kFixedPairs[index].name, &run_fixed_pair<index>}...};
}
inline constexpr auto kFixedPairCommands =
    fixed_pair_command_table(std::make_index_sequence<kFixedPairs.size()>());
