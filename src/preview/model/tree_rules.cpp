// The insertion modes of the HTML tree builder, as far as the model follows
// them (see tree_builder.h).

#include "preview/model/tree_builder.h"

#include <algorithm>

namespace html {

namespace {

bool any_of(int tag, std::initializer_list<int> tags) {
    for (const int t : tags)
        if (t == tag)
            return true;
    return false;
}

bool start(const Token& t, std::initializer_list<int> tags) {
    return t.kind == Token::StartTag && any_of(t.tag, tags);
}

bool end(const Token& t, std::initializer_list<int> tags) {
    return t.kind == Token::EndTag && any_of(t.tag, tags);
}

bool blank(const Token& t) {
    return t.kind == Token::Text && t.solid < 0;
}

// Text with white space first: the white space goes where the mode puts it,
// the rest is handled as "anything else" from its first solid character.
void skip_blank(Token& t) {
    if (t.kind == Token::Text && t.solid > t.start)
        t.start = t.solid;
}

constexpr int kTableContext[] = {table, template_, html};
constexpr int kBodyContext[] = {tbody, tfoot, thead, template_, html};
constexpr int kRowContext[] = {tr, template_, html};

} // namespace

bool TreeBuilder::initial(Token& t) {
    if (blank(t) || t.kind == Token::Comment)
        return false;
    if (t.kind == Token::Doctype) {
        quirks_ = t.cut ? Quirks::Yes : t.standard ? Quirks::No : Quirks::Unknown;
        mode_ = BeforeHtml;
        return false;
    }
    skip_blank(t);
    quirks_ = Quirks::Yes;
    mode_ = BeforeHtml;
    return true;
}

bool TreeBuilder::before_html(Token& t) {
    if (blank(t) || t.kind == Token::Comment || t.kind == Token::Doctype)
        return false;
    if (start(t, {html})) {
        insert(html, t);
        mode_ = BeforeHead;
        return false;
    }
    if (t.kind == Token::EndTag && !any_of(t.tag, {head, body, html, br}))
        return false;
    skip_blank(t);
    insert(html, t, true);
    mode_ = BeforeHead;
    return true;
}

bool TreeBuilder::before_head(Token& t) {
    if (blank(t) || t.kind == Token::Comment || t.kind == Token::Doctype)
        return false;
    if (start(t, {html}))
        return in_body(t);
    if (start(t, {head})) {
        head_ = insert(head, t);
        mode_ = InHead;
        return false;
    }
    if (t.kind == Token::EndTag && !any_of(t.tag, {head, body, html, br}))
        return false;
    skip_blank(t);
    head_ = insert(head, t, true);
    mode_ = InHead;
    return true;
}

bool TreeBuilder::in_head(Token& t) {
    if (blank(t) || t.kind == Token::Comment || t.kind == Token::Doctype)
        return false;
    if (start(t, {html}))
        return in_body(t);
    if (start(t, {base, basefont, bgsound, link, meta})) {
        insert_void(t);
        return false;
    }
    if (start(t, {title})) {
        insert_raw(t, Tokenizer::Content::Rcdata);
        return false;
    }
    if (start(t, {noscript, noframes, style})) {
        if (piece_ && t.tag == noscript) // parsed as markup where scripts are off
            fail();
        insert_raw(t, Tokenizer::Content::Rawtext);
        return false;
    }
    if (start(t, {script})) {
        insert_raw(t, Tokenizer::Content::ScriptData);
        return false;
    }
    if (end(t, {head})) {
        pop(t, true);
        mode_ = AfterHead;
        return false;
    }
    if (start(t, {template_}) || end(t, {template_})) {
        fail();
        return false;
    }
    if (start(t, {head}) || (t.kind == Token::EndTag && !any_of(t.tag, {body, html, br})))
        return false;
    skip_blank(t);
    pop(t);
    mode_ = AfterHead;
    return true;
}

bool TreeBuilder::after_head(Token& t) {
    if (blank(t) || t.kind == Token::Comment || t.kind == Token::Doctype)
        return false;
    if (start(t, {html}))
        return in_body(t);
    if (start(t, {body})) {
        insert(body, t);
        mode_ = InBody;
        return false;
    }
    if (start(t, {frameset, template_})) {
        fail();
        return false;
    }
    if (start(t, {base, basefont, bgsound, link, meta, noframes, script, style, title})) {
        // Into the head after all, which is not kept.
        stack_.push_back({-2, head});
        const size_t at = stack_.size() - 1;
        in_head(t);
        stack_.erase(stack_.begin() + qsizetype(at));
        return false;
    }
    if (end(t, {template_})) {
        fail();
        return false;
    }
    if (start(t, {head}) || (t.kind == Token::EndTag && !any_of(t.tag, {body, html, br})))
        return false;
    skip_blank(t);
    insert(body, t, true);
    mode_ = InBody;
    return true;
}

bool TreeBuilder::in_body(Token& t) {
    switch (t.kind) {
    case Token::Text:
        reconstruct();
        return false;
    case Token::StartTag:
        return body_start_tag(t);
    case Token::EndTag:
        return body_end_tag(t);
    default:
        return false; // comments and doctypes make no element; the end stops
    }
}

bool TreeBuilder::body_start_tag(Token& t) {
    const int tag = t.tag;
    if (closes_p(tag) || any_of(tag, {pre, listing, hr, xmp}) || is_heading(tag)) {
        if (in_scope(p, button))
            close_p(t, false);
        if (is_heading(tag) && is_heading(current()))
            pop(t);
        if (tag == hr)
            insert_void(t);
        else if (tag == xmp) {
            reconstruct();
            insert_raw(t, Tokenizer::Content::Rawtext);
        } else
            insert(tag, t);
        return false;
    }
    switch (tag) {
    case html:
    case body:
        // Their attributes go onto the existing element: no new element,
        // but a piece may not reach outside itself.
        if (piece_)
            fail();
        return false;
    case base:
    case basefont:
    case bgsound:
    case link:
    case meta:
    case noframes:
    case script:
    case style:
    case title:
        return in_head(t);
    case form:
        if (form_) {
            if (outside_form_)
                fail();
            return false;
        }
        if (in_scope(p, button))
            close_p(t, false);
        form_node_ = insert(form, t);
        form_ = true;
        return false;
    case li:
    case dd:
    case dt:
        for (auto e = stack_.size(); e-- > 0;) {
            const int at = stack_[e].tag;
            if ((tag == li && at == li) || (tag != li && (at == dd || at == dt))) {
                generate_implied(at, &t);
                pop_until(at, t, false);
                break;
            }
            if (is_special(at) && at != address && at != div && at != p)
                break;
        }
        if (in_scope(p, button))
            close_p(t, false);
        insert(tag, t);
        return false;
    case button:
        if (in_scope(button)) {
            generate_implied(kNoTag, &t);
            pop_until(button, t, false);
        }
        reconstruct();
        insert(tag, t);
        return false;
    case a:
        for (auto e = active_.rbegin(); e != active_.rend() && e->tag != kNoTag; ++e)
            if (e->tag == a)
                fail(); // an open anchor: the adoption agency's work
        reconstruct();
        push_formatting(insert(tag, t), tag);
        return false;
    case nobr:
        reconstruct();
        if (in_scope(nobr))
            fail();
        push_formatting(insert(tag, t), tag);
        return false;
    case applet:
    case marquee:
    case object:
        reconstruct();
        insert(tag, t);
        active_.push_back({-1, kNoTag});
        return false;
    case table:
        if (quirks_ != Quirks::Yes && in_scope(p, button)) {
            if (quirks_ == Quirks::Unknown)
                fail();
            close_p(t, false);
        }
        insert(tag, t);
        mode_ = InTable;
        return false;
    case area:
    case br:
    case embed:
    case img:
    case wbr:
    case input:
        reconstruct();
        insert_void(t);
        return false;
    case param:
    case source:
    case track:
        insert_void(t);
        return false;
    case image:
        t.tag = img;
        return true;
    case textarea:
        insert_raw(t, Tokenizer::Content::Rcdata);
        return false;
    case iframe:
    case noembed:
        insert_raw(t, Tokenizer::Content::Rawtext);
        return false;
    case noscript:
        return in_head(t);
    case select:
        reconstruct();
        insert(tag, t);
        mode_ = (mode_ == InTable || mode_ == InCaption || mode_ == InTableBody || mode_ == InRow ||
                 mode_ == InCell)
                    ? InSelectInTable
                    : InSelect;
        return false;
    case optgroup:
    case option:
        if (current() == option)
            pop(t);
        reconstruct();
        insert(tag, t);
        return false;
    case rb:
    case rtc:
    case rp:
    case rt:
        if (in_scope(ruby))
            generate_implied(tag == rp || tag == rt ? rtc : kNoTag, &t);
        insert(tag, t);
        return false;
    case caption:
    case col:
    case colgroup:
    case frame:
    case head:
    case tbody:
    case td:
    case tfoot:
    case th:
    case thead:
    case tr:
        return false; // ignored in the body
    case frameset:
    case plaintext:
    case math:
    case svg:
    case template_:
    case keygen:
    case isindex:
    case menuitem:
        fail(); // rules the model does not follow
        return false;
    default:
        if (is_formatting(tag)) {
            reconstruct();
            push_formatting(insert(tag, t), tag);
            return false;
        }
        reconstruct();
        insert(tag, t);
        return false;
    }
}

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

bool TreeBuilder::text_mode(Token& t) {
    if (t.kind == Token::Text)
        return false;
    const bool eof = t.kind == Token::End;
    pop(t, !eof);
    mode_ = original_;
    return eof;
}

bool TreeBuilder::in_table(Token& t) {
    if (t.kind == Token::Text) {
        if (!blank(t) || !any_of(current(), {table, tbody, tfoot, thead, tr}))
            fail(); // fostered out of the table
        return false;
    }
    if (t.kind == Token::Comment || t.kind == Token::Doctype)
        return false;
    if (t.kind == Token::End)
        return in_body(t);
    if (start(t, {caption})) {
        clear_back_to(kTableContext, 3, t);
        active_.push_back({-1, kNoTag});
        insert(caption, t);
        mode_ = InCaption;
        return false;
    }
    if (start(t, {colgroup, col, tbody, tfoot, thead, td, th, tr})) {
        clear_back_to(kTableContext, 3, t);
        const bool implied = any_of(t.tag, {col, td, th, tr});
        const int made = t.tag == col ? colgroup : implied ? tbody : t.tag;
        insert(made, t, implied);
        mode_ = made == colgroup ? InColumnGroup : InTableBody;
        return implied;
    }
    if (start(t, {table}) || end(t, {table})) {
        if (!in_scope(table, -1))
            return false;
        pop_until(table, t, t.kind == Token::EndTag);
        reset_mode();
        return t.kind == Token::StartTag;
    }
    if (end(t, {body, caption, col, colgroup, html, tbody, td, tfoot, th, thead, tr}))
        return false;
    if (start(t, {style, script, template_}) || end(t, {template_}))
        return in_head(t);
    if (start(t, {input}) && t.hidden) {
        insert_void(t);
        return false;
    }
    if (start(t, {form})) {
        if (outside_form_ && form_)
            fail();
        if (form_)
            return false;
        form_node_ = stack_.empty() ? -1 : 0;
        insert_void(t);
        form_ = true;
        return false;
    }
    // End tags read as in the body (the table bounds their scope), unless
    // they make an element: that would be fostered out of the table.
    if (t.kind == Token::EndTag && t.tag != p && t.tag != br)
        return in_body(t);
    fail(); // anything else is fostered out of the table
    return false;
}

bool TreeBuilder::in_caption(Token& t) {
    const bool closing = end(t, {caption});
    if (closing || start(t, {caption, col, colgroup, tbody, td, tfoot, th, thead, tr}) ||
        end(t, {table})) {
        if (!in_scope(caption, -1))
            return false;
        generate_implied(kNoTag, &t);
        pop_until(caption, t, closing);
        clear_to_marker();
        mode_ = InTable;
        return !closing;
    }
    if (end(t, {body, col, colgroup, html, tbody, td, tfoot, th, thead, tr}))
        return false;
    return in_body(t);
}

bool TreeBuilder::in_column_group(Token& t) {
    if (blank(t) || t.kind == Token::Comment || t.kind == Token::Doctype)
        return false;
    if (start(t, {html}))
        return in_body(t);
    if (start(t, {col})) {
        insert_void(t);
        return false;
    }
    if (end(t, {colgroup})) {
        if (current() != colgroup)
            return false;
        pop(t, true);
        mode_ = InTable;
        return false;
    }
    if (end(t, {col}))
        return false;
    if (start(t, {template_}) || end(t, {template_})) {
        fail();
        return false;
    }
    if (t.kind == Token::End)
        return in_body(t);
    if (current() != colgroup)
        return false;
    pop(t);
    mode_ = InTable;
    return true;
}

bool TreeBuilder::in_table_body(Token& t) {
    if (start(t, {tr, th, td})) {
        clear_back_to(kBodyContext, 5, t);
        insert(tr, t, t.tag != tr);
        mode_ = InRow;
        return t.tag != tr;
    }
    if (end(t, {tbody, tfoot, thead})) {
        if (!in_scope(t.tag, -1))
            return false;
        clear_back_to(kBodyContext, 5, t);
        pop(t, true);
        mode_ = InTable;
        return false;
    }
    if (start(t, {caption, col, colgroup, tbody, tfoot, thead}) || end(t, {table})) {
        if (!in_scope(tbody, -1) && !in_scope(thead, -1) && !in_scope(tfoot, -1))
            return false;
        clear_back_to(kBodyContext, 5, t);
        pop(t);
        mode_ = InTable;
        return true;
    }
    if (end(t, {body, caption, col, colgroup, html, td, th, tr}))
        return false;
    return in_table(t);
}

bool TreeBuilder::in_row(Token& t) {
    if (start(t, {th, td})) {
        clear_back_to(kRowContext, 3, t);
        insert(t.tag, t);
        mode_ = InCell;
        active_.push_back({-1, kNoTag});
        return false;
    }
    const bool closing = end(t, {tr});
    if (closing || start(t, {caption, col, colgroup, tbody, tfoot, thead, tr}) ||
        end(t, {table, tbody, tfoot, thead})) {
        if (end(t, {tbody, tfoot, thead}) && !in_scope(t.tag, -1))
            return false;
        if (!in_scope(tr, -1))
            return false;
        clear_back_to(kRowContext, 3, t);
        pop(t, closing);
        mode_ = InTableBody;
        return !closing;
    }
    if (end(t, {body, caption, col, colgroup, html, td, th}))
        return false;
    return in_table(t);
}

void TreeBuilder::close_cell(const Token& t) {
    generate_implied(kNoTag, &t);
    while (!stack_.empty() && !failed_) {
        const bool cell = current() == td || current() == th;
        pop(t);
        if (cell)
            break;
    }
    clear_to_marker();
    mode_ = InRow;
}

bool TreeBuilder::in_cell(Token& t) {
    if (end(t, {td, th})) {
        if (!in_scope(t.tag, -1))
            return false;
        generate_implied(kNoTag, &t);
        pop_until(t.tag, t, true);
        clear_to_marker();
        mode_ = InRow;
        return false;
    }
    if (start(t, {caption, col, colgroup, tbody, td, tfoot, th, thead, tr})) {
        if (!in_scope(td, -1) && !in_scope(th, -1))
            return false;
        close_cell(t);
        return true;
    }
    if (end(t, {body, caption, col, colgroup, html}))
        return false;
    if (end(t, {table, tbody, tfoot, thead, tr})) {
        if (!in_scope(t.tag, -1))
            return false;
        close_cell(t);
        return true;
    }
    return in_body(t);
}

bool TreeBuilder::in_select(Token& t) {
    if (t.kind == Token::Text || t.kind == Token::Comment || t.kind == Token::Doctype)
        return false;
    if (t.kind == Token::End)
        return in_body(t);
    if (start(t, {html}))
        return in_body(t);
    if (start(t, {option, optgroup})) {
        if (current() == option)
            pop(t);
        if (t.tag == optgroup && current() == optgroup)
            pop(t);
        insert(t.tag, t);
        return false;
    }
    if (end(t, {optgroup})) {
        if (current() == option && stack_.size() >= 2 && stack_[stack_.size() - 2].tag == optgroup)
            pop(t);
        if (current() == optgroup)
            pop(t, true);
        return false;
    }
    if (end(t, {option})) {
        if (current() == option)
            pop(t, true);
        return false;
    }
    if (end(t, {select}) || start(t, {select, input, keygen, textarea})) {
        if (!select_in_scope())
            return false;
        pop_until(select, t, t.kind == Token::EndTag);
        reset_mode();
        return t.kind == Token::StartTag && t.tag != select;
    }
    if (start(t, {script, template_}) || end(t, {template_}))
        return in_head(t);
    if (start(t, {hr}))
        fail(); // not the same in every version of the browser
    return false;
}

bool TreeBuilder::in_select_in_table(Token& t) {
    if (start(t, {caption, table, tbody, tfoot, thead, tr, td, th}) ||
        end(t, {caption, table, tbody, tfoot, thead, tr, td, th})) {
        if (t.kind == Token::EndTag && !in_scope(t.tag, -1))
            return false;
        pop_until(select, t, false);
        reset_mode();
        return true;
    }
    return in_select(t);
}

bool TreeBuilder::after_body(Token& t) {
    if (t.kind == Token::Comment || t.kind == Token::Doctype || t.kind == Token::End)
        return false;
    if (blank(t) || start(t, {html}))
        return in_body(t);
    if (end(t, {html}) && mode_ == AfterBody) {
        mode_ = AfterAfterBody;
        return false;
    }
    mode_ = InBody;
    body_end_ = -1; // the body goes on after its end tag
    return true;
}

void TreeBuilder::reset_mode() {
    for (size_t e = stack_.size(); e-- > 0;) {
        const int tag = stack_[e].tag;
        const bool last = e == 0;
        if (tag == select) {
            mode_ = InSelect;
            for (size_t a = e; !last && a-- > 0;) {
                if (stack_[a].tag == template_)
                    break;
                if (stack_[a].tag == table) {
                    mode_ = InSelectInTable;
                    break;
                }
            }
            return;
        }
        if ((tag == td || tag == th) && !last) {
            mode_ = InCell;
            return;
        }
        const Mode found = tag == tr                                        ? InRow
                           : (tag == tbody || tag == thead || tag == tfoot) ? InTableBody
                           : tag == caption                                 ? InCaption
                           : tag == colgroup                                ? InColumnGroup
                           : tag == table                                   ? InTable
                           : tag == body                                    ? InBody
                                                                            : Initial;
        if (found != Initial) {
            mode_ = found;
            return;
        }
        if (tag == template_ || tag == frameset) {
            fail();
            return;
        }
        if (tag == head && !last) {
            mode_ = InHead;
            return;
        }
        if (tag == html) {
            mode_ = head_ < 0 ? BeforeHead : AfterHead;
            return;
        }
        if (last) {
            mode_ = InBody;
            return;
        }
    }
}

} // namespace html
