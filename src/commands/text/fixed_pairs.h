#pragma once

#include "commands/snippet.h"

#include <span>

// The commands that ask nothing and insert a fixed pair of texts.
struct FixedPair {
    const char* name;
    const char16_t* open;
    const char16_t* close;
};

std::span<const FixedPair> fixed_pairs();

// The pair of the fixed-pair command `name`, or nothing when there is none.
std::optional<Snippet> fixed_pair(const char* name);

// The tag command of the fixed pair at `index` of fixed_pairs().
template <std::size_t index> std::optional<Snippet> run_fixed_pair(Asker&) {
    const FixedPair& pair = fixed_pairs()[index];
    return Snippet{QString::fromUtf16(pair.open), QString::fromUtf16(pair.close)};
}
