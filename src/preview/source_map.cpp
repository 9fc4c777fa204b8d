#include "preview/source_map.h"

#include "preview/text_parts.h"

#include <algorithm>

using html::Cloned;
using html::Handler;
using html::Implied;
using html::Node;
using html::TreeBuilder;
using html::Unfinished;

using text_parts::byte_at;
using text_parts::common_prefix;
using text_parts::common_suffix;
using text_parts::slice;
using text_parts::total;

namespace {

// Up to this many more children are taken into a piece, when the piece as
// first chosen does not close cleanly, before the parent is tried instead.
constexpr int kWidenings = 4;

} // namespace

void SourceMap::clear() {
    nodes_.clear();
    text_.clear();
    valid_ = false;
    body_ = -1;
    behind_from_ = -1;
}

void SourceMap::rebuild(Parts text) {
    text_ = slice(text, 0, total(text));
    TreeBuilder builder(text_.constData(), text_.size(), names_, nodes_);
    builder.build();
    stopped_at_ = builder.stopped_at();
    quirks_ = builder.quirks();
    valid_ = true;
    body_ = -1;
    behind_from_ = -1;
    if (nodes_.size() > 1)
        for (const int child : children(1))
            if (nodes_[size_t(child)].tag == html::body)
                body_ = child;
}

SourceMap::Outcome SourceMap::update(Parts text, Patch* patch) {
    if (!valid_) {
        rebuild(text);
        return Outcome::Reload;
    }
    const qsizetype at = common_prefix(text_, text);
    const qsizetype room = std::min(text_.size(), total(text)) - at;
    const qsizetype same_end = common_suffix(text_, text, room);
    const qsizetype removed = text_.size() - at - same_end;
    const qsizetype added = total(text) - at - same_end;
    if (removed == 0 && added == 0)
        return Outcome::Unchanged;
    if (const std::optional<Outcome> tail = in_unseen_tail(at, removed, added, text))
        return *tail;
    if (stopped_at_ < 0 || at + removed < stopped_at_) {
        switch (try_attributes(at, removed, added, text, patch)) {
        case Try::Patched:
            return Outcome::Patched;
        case Try::Script:
            rebuild(text);
            return Outcome::Reload;
        case Try::Outside:
            break;
        }
        // From the deepest element around the change outwards. At the border of two elements, the
        // one before may hold the change.
        int context = element_at(at);
        if (at > 0 && (context < 0 || nodes_[size_t(context)].content_start > at)) {
            const int before = element_at(at - 1);
            if (before > 0 && nodes_[size_t(before)].content_end >= at + removed)
                context = before;
        }
        while (context > 1) {
            const Node& n = nodes_[size_t(context)];
            if (n.content_start <= at && at + removed <= n.content_end && usable_context(context)) {
                Patch planned;
                const Try tried = try_patch(context, at, removed, added, text, &planned);
                if (tried == Try::Patched) {
                    *patch = std::move(planned);
                    return Outcome::Patched;
                }
                if (tried == Try::Script)
                    break; // the page's scripts run again with a full load
            }
            context = n.parent;
        }
    }
    rebuild(text);
    return Outcome::Reload;
}

SourceMap::Try SourceMap::try_patch(int context, qsizetype at, qsizetype removed, qsizetype added,
                                    Parts text, Patch* patch) {
    const Node& p = nodes_[size_t(context)];
    const std::vector<int> kids = children(context);
    const std::vector<Gap> gs = gaps(context, kids);
    const qsizetype x = at, y = at + removed, delta = added - removed;
    int i = -1;
    for (int k = 0; k < int(gs.size()) && gs[size_t(k)].left <= x; ++k)
        if (gs[size_t(k)].clean)
            i = k;
    if (i < 0)
        return Try::Outside;
    int tries = 0;
    for (int j = i; j < int(gs.size()) && tries <= kWidenings; ++j) {
        const Gap& right = gs[size_t(j)];
        if (right.right < y || !right.clean)
            continue;
        ++tries;
        const qsizetype left = gs[size_t(i)].left;
        if (stopped_at_ >= 0 && right.right >= stopped_at_)
            return Try::Outside;
        const int first = i == 0 ? context + 1 : nodes_[size_t(kids[size_t(i - 1)])].subtree_end;
        const int last = j == int(kids.size()) ? p.subtree_end : kids[size_t(j)];
        QByteArray piece = slice(text, left, right.right + delta);
        std::vector<Node> fresh;
        TreeBuilder builder(piece.constData(), piece.size(), names_, fresh);
        if (!builder.reparse(nodes_, context, quirks_, gs[size_t(i)].form, right.form, 0,
                             piece.size(), right.right == text_.size()))
            continue;
        if (builder.touches_script(x - left, x + added - left) ||
            touches_old_script(x, y, first, last))
            return Try::Script;
        if (!plan_splice(context, at, removed, added, text, patch)) {
            patch->path = path_of(context);
            patch->tags = tags_of(context);
            patch->after = i - 1;
            patch->before = j == int(kids.size()) ? -1 : j;
            patch->old_piece = text_.mid(left, right.right - left);
            patch->new_piece = std::move(piece);
            patch->strip_newline =
                i == 0 && (p.tag == html::pre || p.tag == html::listing || p.tag == html::textarea);
            if (context == body_ && j == int(kids.size()))
                patch->tail = body_tail();
        }
        for (Node& n : fresh) {
            n.start += left;
            n.content_start += left;
            n.content_end += left;
            n.end += left;
        }
        splice(context, first, last, fresh, delta);
        text_.replace(at, removed, slice(text, at, at + added));
        return Try::Patched;
    }
    return Try::Outside;
}

void SourceMap::splice(int context, int first, int last, std::vector<Node>& fresh,
                       qsizetype delta) {
    const int count = int(fresh.size());
    const int dc = count - (last - first);
    for (int a = context; a >= 0; a = nodes_[size_t(a)].parent) {
        Node& n = nodes_[size_t(a)];
        n.subtree_end += dc;
        n.content_end += delta;
        n.end += delta;
    }
    for (Node& n : fresh) {
        if (n.parent >= TreeBuilder::kLocal)
            n.parent = first + (n.parent - TreeBuilder::kLocal);
        n.subtree_end = first + (n.subtree_end - TreeBuilder::kLocal);
    }
    nodes_.erase(nodes_.begin() + first, nodes_.begin() + last);
    nodes_.insert(nodes_.begin() + first, fresh.begin(), fresh.end());
    for (size_t k = size_t(first + count); k < nodes_.size(); ++k) {
        Node& n = nodes_[k];
        n.start += delta;
        n.content_start += delta;
        n.content_end += delta;
        n.end += delta;
        if (n.parent >= last)
            n.parent += dc;
        n.subtree_end += dc;
    }
    if (stopped_at_ >= 0)
        stopped_at_ += delta;
}

QByteArray SourceMap::body_tail() const {
    // White space after "</body>" goes into the body, after everything.
    QByteArray tail;
    const Node& b = nodes_[size_t(body_)];
    html::Tokenizer tokenizer(text_.constData(), b.content_end, text_.size(), names_);
    for (html::Token t = tokenizer.next(); t.kind != html::Token::End; t = tokenizer.next())
        if (t.kind == html::Token::Text)
            tail.append(text_.constData() + t.start, t.end - t.start);
    return tail;
}

SourceMap::Try SourceMap::try_attributes(qsizetype at, qsizetype removed, qsizetype added,
                                         Parts text, Patch* patch) {
    // A change inside one start tag, after its name, that leaves it the same
    // tag ending at the same place: only that element's attributes change.
    const int element = element_at(at);
    if (element < 0)
        return Try::Outside;
    const Node& e = nodes_[size_t(element)];
    if (at <= e.start || at + removed >= e.content_start ||
        (e.flags & (Implied | Cloned | Unfinished)) || e.tag == html::html || e.tag == html::body ||
        e.tag == html::head || e.tag == html::script || !settled_in_body(element))
        return Try::Outside;
    const qsizetype delta = added - removed;
    const QByteArray tag = slice(text, e.start, e.content_start + delta);
    html::Tokenizer tokenizer(tag.constData(), 0, tag.size(), names_);
    const html::Token t = tokenizer.next();
    if (t.kind != html::Token::StartTag || t.cut || t.end != tag.size() ||
        names_.name(t.tag) != names_.name(e.tag))
        return Try::Outside;
    if (t.handler || (e.flags & Handler))
        return Try::Script;
    html::Tokenizer old_tokenizer(text_.constData(), e.start, e.content_start, names_);
    if (old_tokenizer.next().hidden != t.hidden)
        return Try::Outside;
    patch->attributes = true;
    patch->path = path_of(element);
    patch->tags = tags_of(element);
    patch->old_piece = text_.mid(e.start, e.content_start - e.start);
    patch->new_piece = tag;
    shift(at, removed, added, text);
    return Try::Patched;
}

void SourceMap::shift(qsizetype at, qsizetype removed, qsizetype added, Parts text) {
    const qsizetype from = at + removed, delta = added - removed;
    for (Node& n : nodes_)
        for (qsizetype* x : {&n.start, &n.content_start, &n.content_end, &n.end})
            if (*x >= from)
                *x += delta;
    if (stopped_at_ >= from)
        stopped_at_ += delta;
    text_.replace(at, removed, slice(text, at, at + added));
}
