#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

// What the user is typing, read from the text just before the caret, and what
// to offer for it. Works on UTF-8 bytes and looks only at the window it is
// given: the caller hands in a bounded stretch before the caret, so the cost
// of a keystroke never depends on the size of the document.

// How much text before the caret the analysis needs: a start tag longer than
// this gets no offers.
constexpr qsizetype kContextWindow = 2048;

struct CompletionContext {
    enum class Kind { None, Element, Attribute, Value };
    Kind kind = Kind::None;
    QByteArray element;   // the element's name as written (Attribute, Value)
    QByteArray attribute; // the attribute's name as written (Value)
    QByteArray prefix;    // what has been typed of the name or value
    char quote = 0;       // the quote that opened the value (Value)

    bool operator==(const CompletionContext&) const = default;
};

// The context at the end of `before_caret`:
// - Element after "<" and at least one letter of the name;
// - Attribute inside a start tag, after the name and a space, with what has
//   been typed of the attribute's name (possibly nothing);
// - Value inside a quoted attribute value;
// - None anywhere else (text, end tags, comments, unquoted values).
CompletionContext completion_context(QByteArrayView before_caret);

// The names or values that fit the context and begin with its prefix (case
// ignored), sorted, in the letter case the user began with: upper case when
// every letter typed so far is a capital (for an attribute with nothing typed
// yet, when the element's name is written so), otherwise as listed.
QStringList completion_items(const CompletionContext& context);

// How far back the search for an open element goes, in bytes.
constexpr qsizetype kOpenElementWindow = 1024 * 1024;

// The innermost element left open at the end of `before_caret`, with its name
// as written; empty when there is none or it lies beyond the window. Void
// elements, self-closed tags, comments, declarations and the content of
// script and style elements are passed over; an element whose end tag may be
// left out (<p>, <li>, ...) counts as closed by the end of an element around
// it. Also empty when the text ends inside a tag or comment.
QByteArray open_element_before(QByteArrayView before_caret);
