#pragma once

// HTML's characters, byte by byte: white space, ASCII letters and their case,
// case-blind words and searches within [from, end) of the source.

#include <QByteArrayView>
#include <QtGlobal>
#include <cstring>
#include <string_view>

namespace html::chars {

// HTML's white space: space, tab, line feed, form feed, carriage return.
inline bool is_space(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r';
}

inline bool is_letter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// What the writing help reads as part of a tag's name after its first
// letter (the tokenizer itself takes anything up to white space, '/', '>').
inline bool is_name_char(char c) {
    return is_letter(c) || (c >= '0' && c <= '9') || c == '-' || c == '_' || c == ':' || c == '.';
}

inline char lower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c + 32) : c;
}

// Whether `word` (lower case) stands at `at`, letters compared without case.
inline bool word_at(const char* s, qsizetype at, qsizetype end, std::string_view word) {
    if (end - at < qsizetype(word.size()))
        return false;
    for (size_t i = 0; i < word.size(); ++i)
        if (lower(s[at + qsizetype(i)]) != word[i])
            return false;
    return true;
}

inline bool word_at(QByteArrayView text, qsizetype at, std::string_view word) {
    return at >= 0 && word_at(text.data(), at, text.size(), word);
}

inline qsizetype find(const char* s, qsizetype from, qsizetype end, char c) {
    if (from >= end)
        return -1;
    const void* hit = std::memchr(s + from, c, size_t(end - from));
    return hit ? static_cast<const char*>(hit) - s : -1;
}

inline qsizetype find(const char* s, qsizetype from, qsizetype end, std::string_view what) {
    if (end - from < qsizetype(what.size()))
        return -1;
    const void* hit = memmem(s + from, size_t(end - from), what.data(), what.size());
    return hit ? static_cast<const char*>(hit) - s : -1;
}

} // namespace html::chars
