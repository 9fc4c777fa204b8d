// The insertion modes of the HTML tree builder for tables, selects and
// what follows the body (see tree_builder.h).

#include "html/rules.h"
#include "html/tree_builder.h"

#include <algorithm>

namespace html {

using namespace rules;

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
