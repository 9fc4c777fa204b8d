// Changes the page never shows: inside a comment left open, or inside the
// text of an element left open whose text is not shown (a script still open
// at the end of the page never runs; titles, iframes, noembed and noframes
// show nothing of their text), or inside a stylesheet left open where its
// last rule never reaches its "{" (the browser drops that rule: the change
// gives no style). Such text runs to the end of the page: a patch would
// carry all of it (or make the page read all of it again), a load would read
// the whole page again, for a page that looks the same. The map follows the
// text and the pane is left as it is; from then on the page's copy of that
// text is behind the map's (see SourceMap::behind_from_).

#include "preview/source_map.h"

#include "preview/css_prelude.h"
#include "preview/text_parts.h"

using html::Node;
using html::Token;
using html::Tokenizer;

namespace {

// Tails shorter than this are patched or loaded as any other change: the
// page's copy of the unseen text stays the text's own.
constexpr qsizetype kUnseenTailMin = 64 * 1024;

// The content mode of an element whose text is never shown, else Data.
Tokenizer::Content unseen_content(int tag) {
    switch (tag) {
    case html::script:
        return Tokenizer::Content::ScriptData;
    case html::title:
        return Tokenizer::Content::Rcdata;
    case html::iframe:
    case html::noembed:
    case html::noframes:
    case html::style: // shown, but see below
        return Tokenizer::Content::Rawtext;
    default:
        return Tokenizer::Content::Data;
    }
}

} // namespace

qsizetype SourceMap::unseen_tail(qsizetype at, qsizetype removed, Parts text,
                                 qsizetype* rule) const {
    const qsizetype old_size = text_.size();
    if (stopped_at_ >= 0 || old_size < kUnseenTailMin)
        return -1;
    const int element = element_at(at);
    qsizetype start = -1; // where the unseen text's token starts
    Tokenizer::Content content = Tokenizer::Content::Data;
    int raw_tag = html::kNoTag;
    if (element > 0 && nodes_[size_t(element)].mode == html::TextMode) {
        const Node& n = nodes_[size_t(element)];
        content = unseen_content(n.tag);
        if (content == Tokenizer::Content::Data || (n.flags & html::ClosedByTag) ||
            n.content_end != old_size || at < n.content_start)
            return -1;
        start = n.content_start;
        raw_tag = n.tag;
    } else {
        // The token holding the change, read from the start of the gap
        // between the children around it.
        const int parent = element > 0 ? element : 0;
        if (nodes_[size_t(parent)].tag == html::plaintext)
            return -1; // all of it is text on the page
        qsizetype left = parent > 0 ? nodes_[size_t(parent)].content_start : 0;
        for (const int kid : children(parent))
            if (nodes_[size_t(kid)].end <= at)
                left = nodes_[size_t(kid)].end;
        Tokenizer tokenizer(text_.constData(), left, old_size, names_);
        Token t = tokenizer.next();
        while (t.kind != Token::End && t.end <= at)
            t = tokenizer.next();
        if (t.kind != Token::Comment || !t.cut || t.end != old_size || at < t.start + 4)
            return -1;
        start = t.start;
    }
    if (old_size - start < kUnseenTailMin || at + removed > old_size)
        return -1;
    // After the change the same text must still run to the end of the page.
    const QByteArray tail = text_parts::slice(text, start, text_parts::total(text));
    Tokenizer tokenizer(tail.constData(), 0, tail.size(), names_);
    if (content != Tokenizer::Content::Data)
        tokenizer.set_content(content, raw_tag);
    const Token t = tokenizer.next();
    const bool same_kind =
        content == Tokenizer::Content::Data ? t.kind == Token::Comment : t.kind == Token::Text;
    if (!same_kind || !t.cut || t.start != 0 || t.end != tail.size())
        return -1;
    if (raw_tag != html::style)
        return start;
    // A stylesheet: its last rule, which the browser drops, starts before the
    // change and, read from there, still runs to the end after it. (The text
    // before that rule is the same: where it starts is read once while keys
    // go into it.)
    qsizetype dropped = behind_from_ == start ? open_rule_ : -1;
    if (dropped < 0) {
        const qsizetype r = css_prelude::open_rule_start(QByteArrayView(text_).sliced(start));
        dropped = r < 0 ? -1 : start + r;
    }
    if (dropped < 0 || dropped > at ||
        css_prelude::open_rule_start(QByteArrayView(tail).sliced(dropped - start)) != 0)
        return -1;
    *rule = dropped;
    return start;
}

std::optional<SourceMap::Outcome> SourceMap::in_unseen_tail(qsizetype at, qsizetype removed,
                                                            qsizetype added, Parts text) {
    qsizetype rule = -1;
    const qsizetype tail = unseen_tail(at, removed, text, &rule);
    open_rule_ = rule;
    if (tail >= 0) {
        shift(at, removed, added, text);
        behind_from_ = tail;
        return Outcome::Unchanged;
    }
    if (behind_from_ < 0)
        return std::nullopt;
    if (at + removed >= behind_from_) {
        rebuild(text);
        return Outcome::Reload;
    }
    behind_from_ += added - removed;
    return std::nullopt;
}
