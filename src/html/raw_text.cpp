// The tokenizer's raw text: the content of script, style, textarea, title
// and the like, which runs to the element's own end tag (for scripts, through
// the escapes the script data states follow).

#include "html/chars.h"
#include "html/tokenizer.h"

#include <algorithm>

namespace html {

using namespace chars;

bool Tokenizer::appropriate_end_tag(qsizetype at) const {
    const std::string_view name = names_.name(raw_tag_);
    const qsizetype after = at + 2 + qsizetype(name.size());
    if (after >= end_ || s_[at] != '<' || s_[at + 1] != '/' || !word_at(s_, at + 2, end_, name))
        return false;
    return is_space(s_[after]) || s_[after] == '/' || s_[after] == '>';
}

qsizetype Tokenizer::script_data_end() const {
    // The script data states with their escapes: inside "<!--", a "<script"
    // makes the next "</script>" not end the element. The escaped and the
    // double-escaped states take dashes and "-->" alike; they differ in what
    // a "<" starts.
    enum class Mode { Data, Escaped, Double };
    Mode mode = Mode::Data;
    int dashes = 0; // dashes just read (up to two) in an escaped mode
    // "script" and a delimiter at `at`: the letters' length plus one, or 0.
    auto script_word = [this](qsizetype at) -> qsizetype {
        if (!word_at(s_, at, end_, "script") || at + 6 >= end_)
            return 0;
        const char d = s_[at + 6];
        return is_space(d) || d == '/' || d == '>' ? 7 : 0;
    };
    auto letters = [this](qsizetype at) {
        while (at < end_ && is_letter(s_[at]))
            ++at;
        return at;
    };
    qsizetype i = pos_;
    while (i < end_) {
        const char c = s_[i];
        if (mode == Mode::Data) {
            if (c == '<' && appropriate_end_tag(i))
                return i;
            if (c == '<' && word_at(s_, i + 1, end_, "!--")) {
                mode = Mode::Escaped;
                dashes = 2;
                i += 4;
            } else {
                ++i;
            }
            continue;
        }
        if (c == '-') {
            dashes = std::min(dashes + 1, 2);
            ++i;
            continue;
        }
        if (c == '>' && dashes == 2) {
            mode = Mode::Data;
            ++i;
            continue;
        }
        dashes = 0;
        if (c != '<') {
            ++i;
        } else if (mode == Mode::Escaped) {
            // An end tag of the element, "<script" (into the double escape),
            // or some other tag's name.
            if (appropriate_end_tag(i))
                return i;
            if (i + 1 < end_ && is_letter(s_[i + 1])) {
                if (const qsizetype n = script_word(i + 1)) {
                    mode = Mode::Double;
                    i += 1 + n;
                } else {
                    i = letters(i + 1);
                }
            } else {
                ++i;
            }
        } else if (i + 1 < end_ && s_[i + 1] == '/') {
            // "</script" leaves the double escape.
            if (const qsizetype n = script_word(i + 2)) {
                mode = Mode::Escaped;
                i += 2 + n;
            } else {
                i = letters(i + 2);
            }
        } else {
            ++i;
        }
    }
    return -1;
}

Token Tokenizer::raw_text() {
    Token token;
    token.kind = Token::Text;
    token.start = pos_;
    qsizetype stop = -1;
    if (content_ == Content::ScriptData) {
        stop = script_data_end();
    } else if (content_ != Content::Plaintext) {
        for (qsizetype q = find(s_, pos_, end_, "</"); q >= 0; q = find(s_, q + 1, end_, "</")) {
            if (appropriate_end_tag(q)) {
                stop = q;
                break;
            }
        }
    }
    token.cut = stop < 0 && content_ != Content::Plaintext;
    token.end = stop < 0 ? end_ : stop;
    for (qsizetype i = token.start; i < token.end; ++i) {
        if (!is_space(s_[i])) {
            token.solid = i;
            break;
        }
    }
    pos_ = token.end;
    if (stop >= 0)
        content_ = Content::Data;
    return token;
}

} // namespace html
