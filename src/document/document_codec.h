#pragma once

#include <QByteArray>
#include <QString>

// How a document's bytes map to text, so that saving gives back the bytes that
// were read. Valid UTF-8 (with or without a byte-order mark) is UTF-8; anything
// else is Windows-1252. A new document is UTF-8 without a mark.
enum class Encoding { Utf8, Utf8Bom, Windows1252 };

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
// byte-order mark), so they can go to an editor as they are.
struct DocumentForm {
    Encoding encoding = Encoding::Utf8;
    LineBreak line_break = LineBreak::CrLf;
    qsizetype text_start = 0;
};
DocumentForm inspect_document(const QByteArray& bytes);

// True when the bytes look like a binary file rather than text (NUL bytes).
bool looks_binary(const QByteArray& bytes);

// The characters of `text` that `encoding` cannot hold, each once, in order of
// first appearance. Always empty for the UTF-8 encodings.
QString unencodable_characters(const QString& text, Encoding encoding);

// What to do with characters the encoding cannot hold.
enum class Unencodable {
    Fail,       // encode_document returns a null QByteArray
    References, // write them as numeric character references, "&#8800;"
};

// Encodes text in the encoding (a UTF-8 mark is written for Utf8Bom).
// With Unencodable::Fail a text holding unencodable characters gives a null
// QByteArray; an empty text gives an empty, non-null one.
QByteArray encode_document(const QString& text, Encoding encoding,
                           Unencodable policy = Unencodable::Fail);

// Short names for the status bar: "UTF-8", "UTF-8 BOM", "Windows-1252"; "CRLF", "LF", "CR".
QString encoding_name(Encoding encoding);
QString line_break_name(LineBreak line_break);
