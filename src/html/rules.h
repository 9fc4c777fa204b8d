#pragma once

// Small tests on tokens shared by the insertion modes (tree_rules.cpp and
// table_rules.cpp); internal to the tree builder.

#include "html/tree_builder.h"

#include <initializer_list>

namespace html::rules {

inline bool any_of(int tag, std::initializer_list<int> tags) {
    for (const int t : tags)
        if (t == tag)
            return true;
    return false;
}

inline bool start(const Token& t, std::initializer_list<int> tags) {
    return t.kind == Token::StartTag && any_of(t.tag, tags);
}

inline bool end(const Token& t, std::initializer_list<int> tags) {
    return t.kind == Token::EndTag && any_of(t.tag, tags);
}

inline bool blank(const Token& t) {
    return t.kind == Token::Text && t.solid < 0;
}

// Text with white space first: the white space goes where the mode puts it,
// the rest is handled as "anything else" from its first solid character.
inline void skip_blank(Token& t) {
    if (t.kind == Token::Text && t.solid > t.start)
        t.start = t.solid;
}

inline constexpr int kTableContext[] = {table, template_, html};
inline constexpr int kBodyContext[] = {tbody, tfoot, thead, template_, html};
inline constexpr int kRowContext[] = {tr, template_, html};

} // namespace html::rules
