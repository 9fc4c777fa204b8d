// The stylesheet is read token by token as the browser's CSS parser reads it,
// only as far as rules and blocks go: comments, strings, escapes and url()
// hide braces; "(", "[", "{" and functions open blocks that their own closer
// ends. At the top level a rule is an at-rule (up to ";" or its block) or a
// style rule (its selector up to "{", then its block). A style rule whose
// "{" never comes is dropped whole.
//
// Where the reading could differ from the browser's, it gives up (-1): a
// closer with no block open at the top level, an escaped name before "(".

#include "preview/css_prelude.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

bool is_newline(char c) {
    return c == '\n' || c == '\r' || c == '\f';
}

// Each byte's kind, looked up: the reading goes through megabytes at a key.
enum Kind : unsigned char { Other, Space, Name };
constexpr std::array<Kind, 256> kKinds = [] {
    std::array<Kind, 256> kinds{};
    for (int c = 0; c < 256; ++c) {
        if (c >= 0x80 || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
            (c >= '0' && c <= '9') || c == '-' || c == '_')
            kinds[size_t(c)] = Name;
        else if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f')
            kinds[size_t(c)] = Space;
    }
    return kinds;
}();

bool is_space(char c) {
    return kKinds[uchar(c)] == Space;
}

bool is_name(uchar c) {
    return kKinds[c] == Name;
}

bool is_hex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

class Reader {
  public:
    explicit Reader(QByteArrayView text) : s_(text.data()), n_(text.size()) {}

    qsizetype run();

  private:
    enum class Top { Between, Rule, AtRule, Block };

    char at(qsizetype k) const { return k < n_ ? s_[k] : '\0'; }
    bool escape_at(qsizetype k) const {
        return at(k) == '\\' && k + 1 < n_ && !is_newline(s_[k + 1]);
    }
    bool starts(qsizetype k, const char* word) const {
        for (; *word; ++word, ++k)
            if (at(k) != *word)
                return false;
        return true;
    }
    void skip_escape();
    void skip_string(char quote);
    void skip_url();
    bool name_token();
    bool closer(char c);

    const char* s_;
    qsizetype n_;
    qsizetype k_ = 0;
    Top top_ = Top::Between;
    std::vector<char> open_; // the closers of the blocks open in the current rule
};

void Reader::skip_escape() {
    ++k_; // the backslash
    if (!is_hex(at(k_))) {
        ++k_;
        return;
    }
    for (int digits = 0; digits < 6 && is_hex(at(k_)); ++digits)
        ++k_;
    if (at(k_) == '\r' && at(k_ + 1) == '\n')
        k_ += 2;
    else if (is_space(at(k_)))
        ++k_;
}

void Reader::skip_string(char quote) {
    ++k_;
    while (k_ < n_) {
        const char c = s_[k_];
        if (c == quote) {
            ++k_;
            return;
        }
        if (is_newline(c))
            return; // a string cut by a line break ends before it
        if (c == '\\')
            k_ += at(k_ + 1) == '\r' && at(k_ + 2) == '\n' ? 3 : 2;
        else
            ++k_;
    }
}

void Reader::skip_url() {
    // A url( without quotes runs to its ")", a bad one too.
    while (k_ < n_ && s_[k_] != ')')
        k_ += escape_at(k_) ? 2 : 1;
    if (k_ < n_)
        ++k_;
}

// A name, a hash, an at-keyword, a number or a dimension; a function or a
// url( when "(" follows. False: a reading this class does not follow.
bool Reader::name_token() {
    const qsizetype start = k_;
    const bool marked = s_[k_] == '#' || s_[k_] == '@';
    if (marked)
        ++k_;
    bool escaped = false;
    while (k_ < n_) {
        if (is_name(uchar(s_[k_]))) {
            ++k_;
        } else if (escape_at(k_)) {
            escaped = true;
            skip_escape();
        } else {
            break;
        }
    }
    if (at(k_) != '(')
        return true;
    if (escaped)
        return false;
    ++k_;
    const bool url = !marked && k_ - start == 4 && (s_[start] | 0x20) == 'u' &&
                     (s_[start + 1] | 0x20) == 'r' && (s_[start + 2] | 0x20) == 'l';
    if (url) {
        qsizetype q = k_;
        while (is_space(at(q)))
            ++q;
        if (at(q) != '"' && at(q) != '\'') {
            skip_url();
            return true;
        }
    }
    open_.push_back(')');
    return true;
}

// False: a closer with no block open.
bool Reader::closer(char c) {
    if (open_.empty())
        return false;
    if (open_.back() == c) {
        open_.pop_back();
        if (open_.empty() && top_ == Top::Block)
            top_ = Top::Between;
    }
    return true;
}

qsizetype Reader::run() {
    qsizetype rule = -1;
    while (k_ < n_) {
        const char c = s_[k_];
        if (c == '/' && at(k_ + 1) == '*') {
            k_ += 2;
            while (k_ < n_ && !(s_[k_] == '*' && at(k_ + 1) == '/'))
                ++k_;
            k_ = std::min(k_ + 2, n_);
            continue;
        }
        if (is_space(c)) {
            ++k_;
            continue;
        }
        if (top_ == Top::Between) {
            if (starts(k_, "<!--") || starts(k_, "-->")) {
                k_ += c == '<' ? 4 : 3;
                continue;
            }
            rule = k_;
            top_ = c == '@' ? Top::AtRule : Top::Rule;
        }
        if (c == '"' || c == '\'') {
            skip_string(c);
        } else if (is_name(uchar(c)) || escape_at(k_) ||
                   ((c == '#' || c == '@') && (is_name(uchar(at(k_ + 1))) || escape_at(k_ + 1)))) {
            if (!name_token())
                return -1;
        } else if (c == '(' || c == '[' || c == '{') {
            if (c == '{' && open_.empty())
                top_ = Top::Block;
            open_.push_back(c == '(' ? ')' : c == '[' ? ']' : '}');
            ++k_;
        } else if (c == ')' || c == ']' || c == '}') {
            if (!closer(c))
                return -1;
            ++k_;
        } else {
            if (c == ';' && top_ == Top::AtRule && open_.empty())
                top_ = Top::Between;
            ++k_;
        }
    }
    return top_ == Top::Rule ? rule : -1;
}

} // namespace

qsizetype css_prelude::open_rule_start(QByteArrayView text) {
    return Reader(text).run();
}
