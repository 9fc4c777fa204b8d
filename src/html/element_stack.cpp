// The tree builder's two lists: the stack of open elements (inserting,
// popping, the scopes) and the list of active formatting elements.

#include "html/tree_builder.h"

#include <algorithm>

namespace html {

namespace {

// Chromium's parser nests no element deeper than 512 open elements: deeper
// ones go beside their parent. The model stops before that; a page nested
// deeper would also have every tag look through a stack that deep (a page of
// 100,000 <div>s took 8 s to read, at every change).
constexpr size_t kBrowserDepth = 500;

} // namespace

Node* TreeBuilder::node(int index) {
    if (index < 0)
        return nullptr;
    if (piece_) {
        if (index < kLocal)
            return nullptr; // the document's own nodes are never changed
        return &out_[size_t(index - kLocal)];
    }
    return &out_[size_t(index)];
}

const Node* TreeBuilder::node(int index) const {
    if (index < 0)
        return nullptr;
    if (piece_)
        return index < kLocal ? &(*existing_)[size_t(index)] : &out_[size_t(index - kLocal)];
    return &out_[size_t(index)];
}

int TreeBuilder::insert(int tag, const Token& t, bool implied) {
    if (stack_.size() >= kBrowserDepth)
        fail();
    const int parent = stack_.empty() ? 0 : stack_.back().node;
    // The head's content is not kept: changes there always reload the page.
    if (parent < 0 || (!stack_.empty() && stack_.back().tag == head)) {
        stack_.push_back({-2, tag});
        return -2;
    }
    Node n;
    n.start = implied && t.kind == Token::Text && t.solid >= 0 ? t.solid : t.start;
    n.content_start = implied ? n.start : t.end;
    n.content_end = n.end = -1;
    n.parent = parent;
    n.tag = tag;
    n.flags = implied ? Implied : 0;
    if (implied && (tag == tbody || tag == tr || tag == colgroup || tag == body)) {
        n.mode = tag == tbody  ? InTableBody
                 : tag == tr   ? InRow
                 : tag == body ? InBody
                               : InColumnGroup;
        n.flags |= ModeSet;
    }
    if (t.handler && !implied && t.kind == Token::StartTag) {
        n.flags |= Handler;
        if (piece_)
            scripts_.push_back({t.start, t.end});
    }
    const int index = int(out_.size()) + (piece_ ? kLocal : 0);
    out_.push_back(n);
    stack_.push_back({index, tag});
    if (!implied)
        opened_.push_back(index);
    return index;
}

void TreeBuilder::insert_void(const Token& t) {
    const int index = insert(t.tag, t);
    if (!opened_.empty() && opened_.back() == index)
        opened_.pop_back();
    pop(t, true);
    if (Node* n = node(index))
        n->content_end = n->content_start = t.end;
}

void TreeBuilder::insert_raw(const Token& t, Tokenizer::Content content) {
    insert(t.tag, t);
    tokenizer_->set_content(content, t.tag);
    original_ = mode_;
    mode_ = TextMode;
}

void TreeBuilder::pop(const Token& t, bool by_own_tag) {
    if (piece_ && stack_.size() <= base_depth_) {
        fail();
        return;
    }
    const Entry e = stack_.back();
    stack_.pop_back();
    Node* n = node(e.node);
    if (!n)
        return;
    n->content_end = t.start;
    n->end = by_own_tag ? t.end : t.start;
    n->subtree_end = int(out_.size()) + (piece_ ? kLocal : 0);
    if (by_own_tag)
        n->flags |= ClosedByTag;
    if (e.node == top_at_start_ && clean_at_start_)
        n->flags |= CleanEnd;
    if (piece_ && e.tag == script)
        scripts_.push_back({n->start, n->end});
    // Only an element closed by its own end tag (or a void one) leaves its
    // parent current when the token is done.
    if (by_own_tag)
        closed_.push_back(e.node);
}

void TreeBuilder::pop_until(int tag, const Token& t, bool by_own_tag) {
    while (!stack_.empty() && !failed_) {
        const bool last = stack_.back().tag == tag;
        pop(t, last && by_own_tag);
        if (last)
            return;
    }
}

void TreeBuilder::pop_until_heading(const Token& t) {
    while (!stack_.empty() && !failed_) {
        const bool last = is_heading(stack_.back().tag);
        pop(t, last);
        if (last)
            return;
    }
}

bool TreeBuilder::on_stack(int tag) const {
    return std::any_of(stack_.begin(), stack_.end(),
                       [tag](const Entry& e) { return e.tag == tag; });
}

bool TreeBuilder::in_scope(int tag, int extra) const {
    for (auto e = stack_.rbegin(); e != stack_.rend(); ++e) {
        if (e->tag == tag)
            return true;
        if (e->tag == html || e->tag == table || e->tag == template_)
            return false;
        if (extra >= 0 && (e->tag == applet || e->tag == caption || e->tag == td || e->tag == th ||
                           e->tag == marquee || e->tag == object))
            return false;
        if (extra == button && e->tag == button)
            return false;
        if (extra == ol && (e->tag == ol || e->tag == ul))
            return false;
    }
    return false;
}

bool TreeBuilder::in_scope_node(int index) const {
    for (auto e = stack_.rbegin(); e != stack_.rend(); ++e) {
        if (e->node == index)
            return true;
        if (e->tag == html || e->tag == table || e->tag == template_ || e->tag == applet ||
            e->tag == caption || e->tag == td || e->tag == th || e->tag == marquee ||
            e->tag == object)
            return false;
    }
    return false;
}

bool TreeBuilder::select_in_scope() const {
    for (auto e = stack_.rbegin(); e != stack_.rend(); ++e) {
        if (e->tag == select)
            return true;
        if (e->tag != optgroup && e->tag != option)
            return false;
    }
    return false;
}

void TreeBuilder::generate_implied(int except, const Token* t) {
    while (!stack_.empty() && !failed_ && is_implied_end(current()) && current() != except)
        pop(*t);
}

void TreeBuilder::close_p(const Token& t, bool by_own_tag) {
    generate_implied(p, &t);
    pop_until(p, t, by_own_tag);
}

bool TreeBuilder::pending() const {
    for (auto e = active_.rbegin(); e != active_.rend(); ++e) {
        if (e->tag == kNoTag)
            return false;
        const bool open = std::any_of(stack_.begin(), stack_.end(),
                                      [&](const Entry& s) { return s.node == e->node; });
        if (!open)
            return true;
    }
    return false;
}

void TreeBuilder::reconstruct() {
    // Formatting elements closed too early open again, as new elements
    // with no tags of their own, at the current token.
    if (!pending())
        return;
    size_t at = active_.size() - 1;
    auto open = [&](const Entry& e) {
        return std::any_of(stack_.begin(), stack_.end(),
                           [&](const Entry& s) { return s.node == e.node; });
    };
    while (at > 0 && active_[at - 1].tag != kNoTag && !open(active_[at - 1]))
        --at;
    if (piece_ && at < base_active_) {
        fail();
        return;
    }
    Token here;
    here.start = here.end = token_start_;
    for (; at < active_.size(); ++at) {
        if (Node* original = node(active_[at].node))
            original->flags |= Cloned;
        else if (piece_)
            fail(); // the original lies outside the piece
        active_[at].node = insert(active_[at].tag, here, true);
    }
}

void TreeBuilder::push_formatting(int index, int tag) {
    int same = 0;
    for (auto e = active_.rbegin(); e != active_.rend() && e->tag != kNoTag; ++e)
        same += e->tag == tag;
    if (same >= 3) // the "Noah's Ark" rule would compare attributes
        fail();
    active_.push_back({index, tag});
}

void TreeBuilder::remove_entry(size_t at) {
    if (piece_ && at < base_active_) {
        fail();
        return;
    }
    active_.erase(active_.begin() + qsizetype(at));
}

void TreeBuilder::clear_to_marker() {
    while (!active_.empty()) {
        if (piece_ && active_.size() <= base_active_) {
            fail();
            return;
        }
        const bool marker = active_.back().tag == kNoTag;
        active_.pop_back();
        if (marker)
            return;
    }
}

void TreeBuilder::clear_back_to(const int* tags, int count, const Token& t) {
    while (!stack_.empty() && !failed_ && current() != html &&
           std::find(tags, tags + count, current()) == tags + count)
        pop(t);
}

} // namespace html
