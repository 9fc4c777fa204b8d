#pragma once

#include <span>
#include <string_view>

// The elements the program knows, in one table: HTML 5 and the older ones
// pages still use (and the tag commands write). For each, what it may hold,
// whether its end tag may be left out, and the attributes of its own. The
// writing help offers and checks from it; the tree builder's sets of tags
// (tags.h) are rules of the parser, not facts of the elements.
namespace html {

struct Element {
    enum Flag : unsigned {
        Void = 1,             // no content and no end tag (<br>, <img>)
        Phrase = 2,           // phrase content (<b>, <span>); otherwise a block
        OptionalEnd = 4,      // the end tag may be left out (<p>, <li>, <td>)
        RawText = 8,          // its content is text up to its end tag (<script>, <style>)
        EscapableRawText = 16 // the same, with character references (<textarea>, <title>)
    };
    const char* name; // lower case
    unsigned flags;
    const char* attributes; // its own, space-separated; the global ones apply too

    bool is(Flag flag) const { return flags & flag; }
    // Whether its content is text, not markup, up to its own end tag.
    bool text_only() const { return flags & (RawText | EscapableRawText); }
};

std::span<const Element> elements();
// The element of that name, matched without regard to case; null when the
// table does not know it.
const Element* find_element(std::string_view name);

} // namespace html
