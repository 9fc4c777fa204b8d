#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <array>

// A text held in two runs (the edit control's buffer before and after its
// gap), read as one without joining the runs.
namespace text_parts {

using Parts = std::array<QByteArrayView, 2>;

qsizetype total(const Parts& parts);
char byte_at(const Parts& parts, qsizetype at);
// [from, to) of the two parts as one piece.
QByteArray slice(const Parts& parts, qsizetype from, qsizetype to);
// How many bytes `old` and the parts have in common at the start.
qsizetype common_prefix(const QByteArray& old, const Parts& parts);
// ... and at the end, at most `limit` bytes.
qsizetype common_suffix(const QByteArray& old, const Parts& parts, qsizetype limit);

} // namespace text_parts
