// A change inside the text of an element whose content is one run of text
// (a stylesheet, a text area, a title): the page holds that text as one text
// node, and the change is spliced into it where it lies instead of sending
// the whole text again. A stylesheet or text area left open runs to the end
// of the page, and each key would otherwise carry all of it.
//
// The splice is exact: the changed region is widened to places where reading
// the text does not depend on what lies on the other side (after a character
// that ends every character reference and is not half of a CR LF), so the
// region read alone gives the same characters as inside the whole; where it
// lies in the text node is counted in UTF-16 units on the shorter side of it.

#include "preview/source_map.h"

#include "preview/text_parts.h"

using html::Node;

namespace {

// How far the region may be widened on either side; beyond, the change goes
// as a piece of the whole text.
constexpr qsizetype kReach = 256;

bool is_alnum(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Reading the text before a place that follows `c` does not depend on what
// comes after it.
bool boundary_after(char c) {
    return uchar(c) < 0x80 && c != '\r' && c != '&' && c != '#' && !is_alnum(c);
}

// UTF-16 units of the UTF-8 bytes [from, to), CR LF and lone CR as one line
// feed; -1 when a character reference is met and `references` says they are
// read (their length needs the table of names).
qsizetype units(const QByteArray& text, qsizetype from, qsizetype to, bool references) {
    qsizetype count = 0;
    const char* data = text.constData();
    for (qsizetype k = from; k < to; ++k) {
        const uchar c = uchar(data[k]);
        if (c == '&' && references)
            return -1;
        if (c == '\r' && k + 1 < to && data[k + 1] == '\n')
            continue;
        count += (c & 0xC0) != 0x80 ? 1 : 0;
        count += c >= 0xF0 ? 1 : 0; // outside the BMP: two units
    }
    return count;
}

bool read_as_one_text(int tag) {
    switch (tag) {
    case html::style:
    case html::textarea:
    case html::title:
    case html::xmp:
    case html::iframe:
    case html::noembed:
    case html::noframes:
        return true;
    default:
        return false;
    }
}

} // namespace

bool SourceMap::plan_splice(int context, qsizetype at, qsizetype removed, qsizetype added,
                            Parts text, Patch* patch) const {
    const Node& n = nodes_[size_t(context)];
    if (!splices_ || n.mode != html::TextMode || !read_as_one_text(n.tag) ||
        n.subtree_end != context + 1)
        return false;
    const qsizetype start = n.content_start, end = n.content_end, delta = added - removed;
    qsizetype a = at;
    while (a > start && !boundary_after(text_[a - 1]))
        if (at - --a > kReach)
            return false;
    // The end: after the same bytes in the old and the new text.
    qsizetype b = at + removed;
    const auto settled = [&](qsizetype e) {
        const bool old_side = e == start || boundary_after(text_[e - 1]);
        const bool new_side =
            e + delta == start || boundary_after(text_parts::byte_at(text, e + delta - 1));
        return e == end || (old_side && new_side);
    };
    while (!settled(b))
        if (++b - (at + removed) > kReach)
            return false;
    const bool references = n.tag == html::textarea || n.tag == html::title;
    const bool from_end = end - b < a - start;
    const qsizetype counted =
        from_end ? units(text_, b, end, references) : units(text_, start, a, references);
    if (counted < 0)
        return false;
    // A text area drops the line break right after its start tag.
    const bool drops =
        n.tag == html::textarea && end > start && (text_[start] == '\n' || text_[start] == '\r');
    patch->splice_at = from_end || a == start || !drops ? counted : counted - 1;
    patch->splice_from_end = from_end;
    patch->strip_newline = a == start && n.tag == html::textarea;
    patch->path = path_of(context);
    patch->tags = tags_of(context);
    patch->old_piece = text_.mid(a, b - a);
    patch->new_piece = text_parts::slice(text, a, b + delta);
    return true;
}
