#pragma once

#include <QByteArrayView>
#include <QString>

#include <array>

// Counting UTF-16 units over UTF-8 bytes, the way the edit area converts
// between QString positions and Scintilla's byte positions. The bytes are
// taken as Scintilla keeps them: valid UTF-8, possibly in two runs (before
// and after its gap).
namespace utf8_units {

// The UTF-16 units of `n` bytes.
qsizetype count(const char* s, qsizetype n);

// Walks `n` bytes until `*wanted` more units have been passed. Returns the
// byte offset where that happens (at the start of a character; a count that
// ends inside a surrogate pair stops before the pair), or -1 with `*wanted`
// lowered by the units of all `n` bytes.
qsizetype find(const char* s, qsizetype n, qsizetype* wanted);

// The units between two byte positions of a text held in two runs.
qsizetype between(const std::array<QByteArrayView, 2>& parts, qsizetype from, qsizetype to);

// The character (UTF-16 unit) position of a byte position of a text held in
// two runs, and back: a byte position outside the text counts as its nearer
// end, a character position beyond the text is its end.
qsizetype to_units(const std::array<QByteArrayView, 2>& parts, qsizetype byte_position);
qsizetype to_bytes(const std::array<QByteArrayView, 2>& parts, qsizetype unit_position);

// UTF-8 to text keeping a U+FEFF at the start, which QString::fromUtf8 (and
// so QsciScintilla::text()) would drop as a byte-order mark. A character
// split between the two runs is whole in the text.
QString decode(QByteArrayView first, QByteArrayView second = {});

} // namespace utf8_units
