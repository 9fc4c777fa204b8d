#include "html/tree_builder.h"

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
