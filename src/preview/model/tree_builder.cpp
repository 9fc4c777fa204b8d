#include "preview/model/tree_builder.h"

#include <algorithm>

namespace html {

TreeBuilder::TreeBuilder(const char* text, qsizetype size, TagNames& names, std::vector<Node>& out)
    : text_(text), size_(size), names_(names), out_(out) {}

void TreeBuilder::build() {
    out_.clear();
    Node document;
    document.end = document.content_end = size_;
    document.flags = ModeSet | CleanStart;
    out_.push_back(document);
    run(0, size_);
    // What is still open ends with the document, or where the model stopped.
    const qsizetype end = failed_ ? stopped_at_ : size_;
    Token eof;
    eof.start = eof.end = end;
    top_at_start_ = stack_.empty() ? -1 : stack_.back().node;
    clean_at_start_ = !stack_.empty() && clean_here();
    while (!stack_.empty()) {
        const int index = stack_.back().node;
        pop(eof);
        // The body's content ends at its end tag, though the body stays open.
        if (index >= 0 && out_[size_t(index)].tag == body && body_end_ >= 0 && !failed_) {
            Node& b = out_[size_t(index)];
            b.content_end = body_end_;
            b.flags = body_end_clean_ ? (b.flags | CleanEnd) : (b.flags & ~CleanEnd);
        }
        if (failed_ && index >= 0)
            out_[size_t(index)].flags =
                (out_[size_t(index)].flags | Unfinished) & ~(CleanEnd | CleanAfter);
    }
    out_[0].subtree_end = int(out_.size());
}

bool TreeBuilder::reparse(const std::vector<Node>& nodes, int context, Quirks quirks,
                          bool form_before, bool form_after, qsizetype begin, qsizetype end,
                          bool document_end) {
    existing_ = &nodes;
    piece_ = true;
    out_.clear();
    quirks_ = quirks;
    form_ = outside_form_ = form_before;
    head_ = 0;
    std::vector<int> chain;
    for (int at = context; at > 0; at = nodes[size_t(at)].parent)
        chain.push_back(at);
    std::reverse(chain.begin(), chain.end());
    for (const int at : chain) {
        const int tag = nodes[size_t(at)].tag;
        if (tag == template_)
            return false;
        stack_.push_back({at, tag});
        if (tag == applet || tag == marquee || tag == object || tag == td || tag == th ||
            tag == caption)
            active_.push_back({-1, kNoTag});
        else if (is_formatting(tag))
            active_.push_back({at, tag});
    }
    const Node& p = nodes[size_t(context)];
    mode_ = Mode(p.mode);
    base_depth_ = stack_.size();
    base_active_ = active_.size();
    Tokenizer tokenizer(text_, begin, end, names_);
    Tokenizer::Content raw = Tokenizer::Content::Data;
    if (mode_ == TextMode) {
        switch (p.tag) {
        case title:
        case textarea:
            raw = Tokenizer::Content::Rcdata;
            break;
        case script:
        case plaintext:
            return false;
        default:
            raw = Tokenizer::Content::Rawtext;
        }
        tokenizer.set_content(raw, p.tag);
    }
    tokenizer_ = &tokenizer;
    for (bool first = true; !failed_; first = false) {
        Token t = tokenizer.next();
        if (t.kind == Token::End)
            break;
        // The raw text of the element itself runs to the end of the piece;
        // at the end of the document anything may be cut short, as there.
        if (t.cut && !(first && raw != Tokenizer::Content::Data && t.end == end)) {
            if (!document_end)
                return false;
            if (t.kind == Token::StartTag || t.kind == Token::EndTag)
                break; // dropped, as a tag at the end of a document is
        }
        process(t);
    }
    tokenizer_ = nullptr;
    return !failed_ && stack_.size() == base_depth_ && active_.size() == base_active_ &&
           mode_ == Mode(p.mode) && form_ == form_after;
}

void TreeBuilder::run(qsizetype begin, qsizetype end) {
    Tokenizer tokenizer(text_, begin, end, names_);
    tokenizer_ = &tokenizer;
    while (!failed_) {
        Token t = tokenizer.next();
        // At the end of the document a tag cut short is dropped; comments,
        // doctypes and text run to the end.
        if (t.cut && (t.kind == Token::StartTag || t.kind == Token::EndTag))
            t = Token{Token::End, end, end};
        process(t);
        if (t.kind == Token::End)
            break;
    }
    tokenizer_ = nullptr;
}

void TreeBuilder::process(Token& token) {
    token_start_ = token.start;
    top_at_start_ = stack_.empty() ? -1 : stack_.back().node;
    clean_at_start_ = !stack_.empty() && clean_here();
    // A token is handed on between modes a few times at most; more would be
    // a rule the model gets wrong, and the model stops there.
    for (int rounds = 0; !failed_ && dispatch(token); ++rounds) {
        if (rounds == 8)
            fail();
    }
    if (!failed_)
        settle();
}

bool TreeBuilder::dispatch(Token& t) {
    switch (mode_) {
    case Initial:
        return initial(t);
    case BeforeHtml:
        return before_html(t);
    case BeforeHead:
        return before_head(t);
    case InHead:
        return in_head(t);
    case AfterHead:
        return after_head(t);
    case InBody:
        return in_body(t);
    case TextMode:
        return text_mode(t);
    case InTable:
        return in_table(t);
    case InCaption:
        return in_caption(t);
    case InColumnGroup:
        return in_column_group(t);
    case InTableBody:
        return in_table_body(t);
    case InRow:
        return in_row(t);
    case InCell:
        return in_cell(t);
    case InSelect:
        return in_select(t);
    case InSelectInTable:
        return in_select_in_table(t);
    case AfterBody:
    case AfterAfterBody:
        return after_body(t);
    }
    return false;
}

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

bool TreeBuilder::clean_here() const {
    if (failed_ || stack_.empty())
        return false;
    const Node* n = node(stack_.back().node);
    if (!n)
        return false;
    if ((n->flags & ModeSet) && n->mode != mode_)
        return false;
    return !pending();
}

void TreeBuilder::settle() {
    if (stack_.empty())
        return;
    if (Node* top = node(stack_.back().node); top && !(top->flags & ModeSet)) {
        top->mode = mode_;
        top->flags |= ModeSet;
    }
    const bool clean = clean_here();
    for (const int index : opened_) {
        Node* n = node(index);
        if (n && clean && stack_.back().node == index)
            n->flags |= CleanStart | (form_ ? FormAtStart : 0);
    }
    for (const int index : closed_) {
        Node* n = node(index);
        if (n && clean && stack_.back().node == n->parent)
            n->flags |= CleanAfter | (form_ ? FormAfter : 0);
    }
    opened_.clear();
    closed_.clear();
}

void TreeBuilder::fail() {
    if (!failed_)
        stopped_at_ = token_start_;
    failed_ = true;
}

bool TreeBuilder::touches_script(qsizetype from, qsizetype to) const {
    return std::any_of(scripts_.begin(), scripts_.end(),
                       [&](const auto& range) { return range.first < to && from < range.second; });
}

} // namespace html
