#include "commands/text/fixed_pairs.h"

#include <cstring>

std::span<const NamedCommand> fixed_pair_commands() {
    return kFixedPairCommands;
}

std::optional<Snippet> fixed_pair(const char* name) {
    for (const FixedPair& pair : kFixedPairs) {
        if (std::strcmp(pair.name, name) == 0)
            return Snippet{QString::fromUtf16(pair.open), QString::fromUtf16(pair.close)};
    }
    return std::nullopt;
}
