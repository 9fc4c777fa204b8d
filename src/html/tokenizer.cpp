#include "html/tokenizer.h"

#include "html/chars.h"

#include <string>

namespace html {

using namespace chars;

Token Tokenizer::next() {
    while (pos_ < end_) {
        if (content_ != Content::Data) {
            Token text = raw_text();
            if (text.end > text.start)
                return text;
            continue;
        }
        const qsizetype start = pos_;
        if (s_[start] != '<' || !starts_markup(start))
            return text_from(start);
        const char c = s_[start + 1];
        if (is_letter(c))
            return tag(start, false);
        if (c == '/') {
            if (is_letter(s_[start + 2]))
                return tag(start, true);
            if (s_[start + 2] == '>') { // "</>" is dropped: no effect on the tree
                Token nothing;
                nothing.kind = Token::Comment;
                nothing.start = start;
                nothing.end = pos_ = start + 3;
                return nothing;
            }
            return bogus_comment(start);
        }
        if (c == '!') {
            if (word_at(s_, start + 2, end_, "--"))
                return comment(start, start + 4);
            if (word_at(s_, start + 2, end_, "doctype"))
                return doctype(start);
            Token token = bogus_comment(start);
            // Cut short, "<!-" or "<!DOC" might have been more.
            token.cut = token.cut || end_ - start < 9;
            return token;
        }
        return bogus_comment(start); // "<?"
    }
    Token end;
    end.start = end.end = end_;
    return end;
}

bool Tokenizer::starts_markup(qsizetype at) const {
    if (at + 1 >= end_)
        return false;
    const char c = s_[at + 1];
    if (is_letter(c) || c == '!' || c == '?')
        return true;
    return c == '/' && at + 2 < end_;
}

Token Tokenizer::text_from(qsizetype start) {
    qsizetype p = start;
    for (;;) {
        const qsizetype lt = find(s_, p + (p == start && s_[p] == '<' ? 1 : 0), end_, '<');
        if (lt < 0) {
            p = end_;
            break;
        }
        if (starts_markup(lt)) {
            p = lt;
            break;
        }
        p = lt + 1;
    }
    Token token;
    token.kind = Token::Text;
    token.start = start;
    token.end = p;
    for (qsizetype i = start; i < p; ++i) {
        if (!is_space(s_[i])) {
            token.solid = i;
            break;
        }
    }
    // "<" or "</" at the very end: more input could have made it a tag.
    token.cut = p == end_ && ((p - 1 >= start && s_[p - 1] == '<') ||
                              (p - 2 >= start && s_[p - 2] == '<' && s_[p - 1] == '/'));
    pos_ = p;
    return token;
}

int Tokenizer::read_name(qsizetype* at) {
    std::string name;
    qsizetype p = *at;
    while (p < end_ && !is_space(s_[p]) && s_[p] != '/' && s_[p] != '>')
        name.push_back(lower(s_[p++]));
    *at = p;
    return names_.intern(name);
}

Token Tokenizer::tag(qsizetype start, bool end_tag) {
    Token token;
    token.kind = end_tag ? Token::EndTag : Token::StartTag;
    token.start = start;
    qsizetype p = start + (end_tag ? 2 : 1);
    token.tag = read_name(&p);
    bool seen_type = false;
    for (;;) {
        while (p < end_ && is_space(s_[p]))
            ++p;
        if (p >= end_)
            break;
        const char c = s_[p];
        if (c == '>') {
            token.end = p + 1;
            pos_ = token.end;
            return token;
        }
        if (c == '/') {
            ++p;
            if (p < end_ && s_[p] == '>') {
                token.self_closing = true;
                token.end = p + 1;
                pos_ = token.end;
                return token;
            }
            continue;
        }
        // An attribute: its name, then perhaps "=" and a value.
        const qsizetype name_start = p;
        ++p; // the first character is part of the name even when it is "="
        while (p < end_ && !is_space(s_[p]) && s_[p] != '/' && s_[p] != '>' && s_[p] != '=')
            ++p;
        const qsizetype name_end = p;
        const bool is_type =
            word_at(s_, name_start, name_end, "type") && name_end - name_start == 4;
        if (name_end - name_start >= 2 && lower(s_[name_start]) == 'o' &&
            lower(s_[name_start + 1]) == 'n')
            token.handler = true;
        while (p < end_ && is_space(s_[p]))
            ++p;
        if (p >= end_)
            break;
        qsizetype value_start = p, value_end = p;
        if (s_[p] == '=') {
            ++p;
            while (p < end_ && is_space(s_[p]))
                ++p;
            if (p >= end_)
                break;
            if (s_[p] == '"' || s_[p] == '\'') {
                const qsizetype close = find(s_, p + 1, end_, s_[p]);
                if (close < 0) {
                    p = end_;
                    break;
                }
                value_start = p + 1;
                value_end = close;
                p = close + 1;
            } else if (s_[p] != '>') {
                value_start = p;
                while (p < end_ && !is_space(s_[p]) && s_[p] != '>')
                    ++p;
                value_end = p;
                if (p >= end_)
                    break;
            }
        }
        if (is_type && !seen_type && !end_tag)
            token.hidden = value_end - value_start == 6 && word_at(s_, value_start, end_, "hidden");
        seen_type = seen_type || is_type;
    }
    // The input ended inside the tag.
    token.cut = true;
    token.end = end_;
    pos_ = end_;
    return token;
}

Token Tokenizer::comment(qsizetype start, qsizetype body) {
    Token token;
    token.kind = Token::Comment;
    token.start = start;
    qsizetype end = -1;
    if (body < end_ && s_[body] == '>')
        end = body + 1; // "<!-->"
    else if (body + 1 < end_ && s_[body] == '-' && s_[body + 1] == '>')
        end = body + 2; // "<!--->"
    else {
        for (qsizetype q = find(s_, body, end_, "--"); q >= 0; q = find(s_, q + 1, end_, "--")) {
            if (q + 2 < end_ && s_[q + 2] == '>') {
                end = q + 3;
                break;
            }
            if (q + 3 < end_ && s_[q + 2] == '!' && s_[q + 3] == '>') {
                end = q + 4;
                break;
            }
        }
    }
    token.cut = end < 0;
    token.end = end < 0 ? end_ : end;
    pos_ = token.end;
    return token;
}

Token Tokenizer::to_greater_than(Token::Kind kind, qsizetype start, qsizetype from) {
    Token token;
    token.kind = kind;
    token.start = start;
    const qsizetype gt = find(s_, from, end_, '>');
    token.cut = gt < 0;
    token.end = gt < 0 ? end_ : gt + 1;
    pos_ = token.end;
    return token;
}

Token Tokenizer::bogus_comment(qsizetype start) {
    return to_greater_than(Token::Comment, start, start + 2);
}

Token Tokenizer::doctype(qsizetype start) {
    Token token = to_greater_than(Token::Doctype, start, start + 9);
    if (token.cut)
        return token;
    const qsizetype gt = token.end - 1;
    qsizetype p = start + 9;
    while (p < gt && is_space(s_[p]))
        ++p;
    std::string name;
    while (p < gt && !is_space(s_[p]))
        name.push_back(lower(s_[p++]));
    while (p < gt && is_space(s_[p]))
        ++p;
    const std::string_view legacy = "system \"about:legacy-compat\"";
    std::string rest;
    for (qsizetype i = p; i < gt; ++i)
        rest.push_back(lower(s_[i]));
    while (!rest.empty() && is_space(rest.back()))
        rest.pop_back();
    token.standard = name == "html" && (rest.empty() || rest == legacy);
    return token;
}

} // namespace html
