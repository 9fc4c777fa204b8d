#pragma once

#include <QByteArray>
#include <QString>

// How a document's bytes map to text, so that saving gives back the bytes that
// were read. Valid UTF-8 (with or without a byte-order mark) is UTF-8; valid
// UTF-16 behind its byte-order mark (as some Windows editors write) is UTF-16,
// little or big endian; anything else is Windows-1252. A new document is UTF-8
// without a mark.
enum class Encoding { Utf8, Utf8Bom, Windows1252, Utf16Le, Utf16Be };

// The line break that Enter inserts in a document.
enum class LineBreak { CrLf, Lf, Cr };

struct DecodedDocument {
    QString text; // line breaks exactly as in the bytes
    Encoding encoding = Encoding::Utf8;
    LineBreak line_break = LineBreak::CrLf; // the most frequent break; CR LF when none
};

// Decodes a file's bytes. Every byte sequence decodes to some text, and
// encode_document(decoded.text, decoded.encoding) gives back the same bytes.
DecodedDocument decode_document(const QByteArray& bytes);

// What decode_document finds, without building the text: for the UTF-8
// encodings the text is the UTF-8 bytes from `text_start` on (after the
// byte-order mark), so they can go to an editor as they are. For UTF-16 the
// text starts after its mark too.
struct DocumentForm {
    Encoding encoding = Encoding::Utf8;
    LineBreak line_break = LineBreak::CrLf;
    qsizetype text_start = 0;
};
DocumentForm inspect_document(const QByteArray& bytes);

// True when the bytes look like a binary file rather than text: NUL bytes, or
// NUL characters in a UTF-16 text.
bool looks_binary(const QByteArray& bytes);

// UTF-8 as text, every byte-order mark kept as the character U+FEFF (Qt's own
// decoder drops one at the start). Valid UTF-8 comes back from toUtf8() as the
// same bytes.
QString text_from_utf8(QByteArrayView utf8);

// The characters of `text` that `encoding` cannot hold, each once, in order of
// first appearance. Always empty for the UTF-8 encodings.
QString unencodable_characters(const QString& text, Encoding encoding);

// What to do with characters the encoding cannot hold.
enum class Unencodable {
    Fail,       // encode_document returns a null QByteArray
    References, // write them as numeric character references, "&#8800;"
};

// Encodes text in the encoding (the mark is written for Utf8Bom and UTF-16).
// With Unencodable::Fail a text holding unencodable characters gives a null
// QByteArray; an empty text gives an empty, non-null one.
QByteArray encode_document(const QString& text, Encoding encoding,
                           Unencodable policy = Unencodable::Fail);

// Short names for the status bar: "UTF-8", "UTF-8 BOM", "Windows-1252",
// "UTF-16 LE", "UTF-16 BE"; "CRLF", "LF", "CR".
QString encoding_name(Encoding encoding);
QString line_break_name(LineBreak line_break);
