#pragma once

#include <QList>
#include <QString>
#include <optional>

// Plain-text search in a document's text (positions in UTF-16 units, as
// QString counts them). The needle is literal text, never a pattern.
//
// What counts as a match:
// - the needle occurs there (compared code point by code point, ignoring case
//   unless `case_sensitive`);
// - it neither starts nor ends inside a surrogate pair, nor between the CR and
//   the LF of a line break, so replacing it never splits a character or a
//   line break;
// - with `whole_word`, no word continues across its edges: where the match
//   begins with a word character, the character before it is not one, and
//   likewise at its end. Word characters are letters (accented ones too),
//   digits, combining marks and "_".
// An empty needle matches nowhere.

struct FindOptions {
    bool case_sensitive = false;
    bool whole_word = false;
};

struct TextMatch {
    qsizetype start = 0;
    qsizetype length = 0;
    bool wrapped = false; // found only by going round the end (or the start)
    qsizetype end() const { return start + length; }
    friend bool operator==(const TextMatch&, const TextMatch&) = default;
};

// True when the needle matches at exactly `start`.
bool matches_at(const QString& text, const QString& needle, qsizetype start,
                const FindOptions& options);

// The first match that starts at or after `from`; when there is none, the
// first match of the text (wrapped). `from` is clamped into the text.
std::optional<TextMatch> find_next(const QString& text, const QString& needle, qsizetype from,
                                   const FindOptions& options);

// The last match that ends at or before `from`; when there is none, the last
// match of the text (wrapped).
std::optional<TextMatch> find_previous(const QString& text, const QString& needle, qsizetype from,
                                       const FindOptions& options);

// The starts of the matches met scanning from the beginning, each search
// going on after the previous match: matches never overlap ("aaaa" holds two
// of "aa").
QList<qsizetype> find_all(const QString& text, const QString& needle, const FindOptions& options);

struct ReplaceResult {
    QString text;
    qsizetype count = 0;
};

// Replaces every match of find_all() by `replacement` (literal text; the
// replacement is never searched again).
ReplaceResult replace_all(const QString& text, const QString& needle, const QString& replacement,
                          const FindOptions& options);

// Where `position` of the text ends up once the matches at `starts` (each
// `needle_length` long) are replaced by a text `replacement_length` long: it
// moves with the text around it; inside a match it goes to the start of the
// replacement.
qsizetype position_after_replace(qsizetype position, const QList<qsizetype>& starts,
                                 qsizetype needle_length, qsizetype replacement_length);
