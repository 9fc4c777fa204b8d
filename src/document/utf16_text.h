#pragma once

#include "document/document_codec.h"

#include <QByteArray>
#include <QString>

// Documents in UTF-16 behind a byte-order mark, for the document codec. Only
// whole, valid UTF-16 counts: an odd length or a lone surrogate makes the
// bytes something else (Windows-1252, as any bytes can be).
class Utf16Bytes {
  public:
    // Keeps a reference to `bytes`, which must outlive it.
    explicit Utf16Bytes(const QByteArray& bytes);

    // Utf16Le or Utf16Be; Utf8 when the bytes are not UTF-16.
    Encoding encoding() const { return encoding_; }
    bool valid() const { return encoding_ != Encoding::Utf8; }
    // The units after the mark.
    qsizetype units() const { return bytes_.size() / 2 - 1; }
    char16_t unit(qsizetype i) const;
    QString text() const;
    LineBreak line_break() const;

  private:
    const QByteArray& bytes_;
    Encoding encoding_ = Encoding::Utf8;
};

// The mark, then every unit of `text`, in the byte order of `encoding`.
QByteArray encode_utf16(const QString& text, Encoding encoding);

// The most frequent line break from the counts of LF, CR and CR LF (each
// CR LF also counted as one LF and one CR); CR LF when there is no single winner.
LineBreak most_frequent_break(qsizetype all_lf, qsizetype all_cr, qsizetype crlf);
