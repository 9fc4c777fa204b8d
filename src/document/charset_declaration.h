#pragma once

#include "document/document_codec.h"

#include <QByteArray>
#include <QByteArrayView>

// The character encoding a page declares in its own markup, found the way a
// browser looks for it before reading the page: the first
// <meta charset="..."> or <meta http-equiv="Content-Type"
// content="text/html; charset=..."> whose label a browser knows, outside
// comments and attribute values, before the body starts.

// What a browser reads a label as.
enum class Charset {
    Unknown, // not a label browsers know: they pass over the declaration
    Utf8,
    Windows1252, // also "iso-8859-1", "latin1", "us-ascii", ... as browsers read them
    Utf16,       // "utf-16", "utf-16le", "utf-16be", ...
    Other,       // a label of another encoding ("iso-8859-15", "shift_jis", ...)
};
Charset charset_of_label(QByteArrayView label);

struct CharsetDeclaration {
    qsizetype start = -1; // where the label's bytes begin; -1: no declaration
    qsizetype length = 0;
    QByteArray label; // as written
    Charset charset = Charset::Unknown;

    bool found() const { return start >= 0; }
};
CharsetDeclaration find_charset_declaration(QByteArrayView text);

// Whether a page saved in `encoding` is read right by a browser that follows
// the declaration: UTF-8 and Windows-1252 files need their own label; a
// UTF-16 file, one of the UTF-16 labels.
bool declaration_matches(Charset declared, Encoding encoding);
