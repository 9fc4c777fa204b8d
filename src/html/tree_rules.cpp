// The insertion modes of the HTML tree builder, as far as the model follows
// them (see tree_builder.h): the document, its head and its body.

#include "html/rules.h"
#include "html/tree_builder.h"

#include <algorithm>

namespace html {

using namespace rules;

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

bool TreeBuilder::text_mode(Token& t) {
    if (t.kind == Token::Text)
        return false;
    const bool eof = t.kind == Token::End;
    pop(t, !eof);
    mode_ = original_;
    return eof;
}

} // namespace html
