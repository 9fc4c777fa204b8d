#include "commands/text/fixed_pairs.h"

#include <array>
#include <cstring>

namespace {

// Written exactly as the program has always written them: "<rigth>" and the
// singular "<noframe>" included.
constexpr std::array kPairs{
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

} // namespace

std::span<const FixedPair> fixed_pairs() {
    return kPairs;
}

std::optional<Snippet> fixed_pair(const char* name) {
    for (const FixedPair& pair : kPairs) {
        if (std::strcmp(pair.name, name) == 0)
            return Snippet{QString::fromUtf16(pair.open), QString::fromUtf16(pair.close)};
    }
    return std::nullopt;
}
