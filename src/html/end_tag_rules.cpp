// The tree builder's rules for end tags in the body, with the adoption
// agency that mends misnested formatting elements (see tree_builder.h).

#include "html/rules.h"
#include "html/tree_builder.h"

#include <algorithm>

namespace html {

using namespace rules;

bool TreeBuilder::body_end_tag(Token& t) {
    const int tag = t.tag;
    switch (tag) {
    case template_:
        fail();
        return false;
    case body:
    case html:
        if (piece_)
            fail();
        if (!in_scope(body))
            return false;
        if (body_end_ < 0) {
            body_end_ = t.start;
            body_end_clean_ = clean_at_start_ && stack_.back().tag == body;
        }
        mode_ = AfterBody;
        return tag == html;
    case address:
    case article:
    case aside:
    case blockquote:
    case button:
    case center:
    case details:
    case dialog:
    case dir:
    case div:
    case dl:
    case fieldset:
    case figcaption:
    case figure:
    case footer:
    case header:
    case hgroup:
    case listing:
    case main:
    case menu:
    case nav:
    case ol:
    case pre:
    case section:
    case summary:
    case ul:
        if (!in_scope(tag))
            return false;
        generate_implied(kNoTag, &t);
        pop_until(tag, t, true);
        return false;
    case form: {
        if (outside_form_ && form_)
            fail();
        const bool had = form_;
        const int node = form_node_;
        form_ = false;
        form_node_ = -1;
        if (!had || !in_scope(form))
            return false;
        generate_implied(kNoTag, &t);
        if (current() != form || stack_.back().node != node)
            fail(); // the form leaves the stack from the middle
        else
            pop(t, true);
        return false;
    }
    case p:
        if (!in_scope(p, button)) {
            insert(p, t, true);
            if (Node* n = node(stack_.back().node))
                n->content_start = t.start;
        }
        close_p(t, true);
        return false;
    case li:
    case dd:
    case dt:
        if (!in_scope(tag, tag == li ? ol : 0))
            return false;
        generate_implied(tag, &t);
        pop_until(tag, t, true);
        return false;
    case h1:
    case h2:
    case h3:
    case h4:
    case h5:
    case h6:
        if (!in_scope(h1) && !in_scope(h2) && !in_scope(h3) && !in_scope(h4) && !in_scope(h5) &&
            !in_scope(h6))
            return false;
        generate_implied(kNoTag, &t);
        pop_until_heading(t);
        return false;
    case applet:
    case marquee:
    case object:
        if (!in_scope(tag))
            return false;
        generate_implied(kNoTag, &t);
        pop_until(tag, t, true);
        clear_to_marker();
        return false;
    case br:
        t.kind = Token::StartTag; // "</br>" is a br
        return body_start_tag(t);
    default:
        if (is_formatting(tag))
            adoption(t);
        else
            any_other_end(t);
        return false;
    }
}

void TreeBuilder::any_other_end(const Token& t) {
    for (size_t e = stack_.size(); e-- > 0;) {
        if (stack_[e].tag == t.tag) {
            generate_implied(t.tag, &t);
            while (!failed_ && stack_.size() > e + 1)
                pop(t);
            if (!failed_)
                pop(t, true);
            return;
        }
        if (is_special(stack_[e].tag))
            return;
    }
}

void TreeBuilder::adoption(Token& t) {
    const Entry top = stack_.back();
    const bool listed = std::any_of(active_.begin(), active_.end(),
                                    [&](const Entry& e) { return e.node == top.node; });
    if (top.tag == t.tag && !listed) {
        pop(t, true);
        return;
    }
    size_t f = active_.size();
    for (size_t e = active_.size(); e-- > 0 && active_[e].tag != kNoTag;) {
        if (active_[e].tag == t.tag) {
            f = e;
            break;
        }
    }
    if (f == active_.size()) {
        any_other_end(t);
        return;
    }
    const int element = active_[f].node;
    size_t at = stack_.size();
    for (size_t e = 0; e < stack_.size(); ++e)
        if (stack_[e].node == element)
            at = e;
    if (at == stack_.size()) {
        remove_entry(f);
        return;
    }
    if (!in_scope_node(element))
        return;
    for (size_t e = at + 1; e < stack_.size(); ++e) {
        if (is_special(stack_[e].tag)) {
            fail(); // a furthest block: elements are cloned and moved
            return;
        }
    }
    while (!failed_ && stack_.size() > at + 1)
        pop(t);
    if (!failed_)
        pop(t, true);
    if (!failed_)
        remove_entry(f);
}

} // namespace html
