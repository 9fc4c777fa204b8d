// The document decoder: every byte sequence decodes, and encoding the text
// in the encoding found gives back the very same bytes. Any text at all
// encodes without a crash in every encoding; UTF-8 text without lone
// surrogates survives a round trip; unencodable characters are reported
// exactly when a strict Windows-1252 encoding fails. A document kept for
// recovery comes back as the very same bytes too.

#include "document/charset_declaration.h"
#include "document/document_codec.h"
#include "document/recovery_file.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    (void)looks_binary(bytes);
    const DecodedDocument document = decode_document(bytes);
    const QByteArray again = encode_document(document.text, document.encoding);
    fuzz::check(again == bytes, "bytes -> text -> bytes gives the same bytes",
                QString::fromLatin1(bytes.toHex()));
    fuzz::check(unencodable_characters(document.text, document.encoding).isEmpty(),
                "decoded text is encodable in its own encoding");

    // Recovery keeps the text as the edit area holds it (UTF-8) behind a
    // header; the text taken back gives the same UTF-8, and saved, the same bytes.
    const QByteArray held = document.text.toUtf8();
    const RecoveryRecord header{QString(), QStringLiteral("/d/a.htm"), document.encoding,
                                document.line_break, QDateTime()};
    const auto recovered = decode_recovery(encode_recovery_header(header) + held);
    fuzz::check(
        recovered && recovered->text.toUtf8() == held && recovered->encoding == document.encoding &&
            encode_document(recovered->text, recovered->encoding) == bytes,
        "bytes -> recovery file -> bytes gives the same bytes", QString::fromLatin1(bytes.toHex()));

    // The page's declaration of its encoding, as a save to UTF-8 updates it:
    // the label lies where it is found, and "utf-8" in its place is found
    // there in turn.
    const CharsetDeclaration declared = find_charset_declaration(bytes);
    if (declared.found()) {
        fuzz::check(bytes.mid(declared.start, declared.length) == declared.label,
                    "the label lies where it is found", QString::fromLatin1(bytes.toHex()));
        const QByteArray updated =
            QByteArray(bytes).replace(declared.start, declared.length, "utf-8");
        const CharsetDeclaration again = find_charset_declaration(updated);
        fuzz::check(again.start == declared.start && again.charset == Charset::Utf8,
                    "an updated declaration says utf-8", QString::fromLatin1(bytes.toHex()));
    }

    // The same bytes seen as arbitrary text.
    const QString text = fuzz::utf16_text(data, size);
    const QString missing = unencodable_characters(text, Encoding::Windows1252);
    const QByteArray strict = encode_document(text, Encoding::Windows1252);
    fuzz::check(strict.isNull() == !missing.isEmpty(), "strict encoding fails iff unencodable");
    const QByteArray lenient =
        encode_document(text, Encoding::Windows1252, Unencodable::References);
    fuzz::check(!lenient.isNull(), "references always encode");
    if (missing.isEmpty())
        fuzz::check(lenient == strict, "references change nothing when all is encodable");
    const QByteArray utf8 = encode_document(text, Encoding::Utf8);
    const DecodedDocument back = decode_document(utf8);
    if (text.isValidUtf16()) {
        // A leading U+FEFF is written as the bytes of a byte-order mark, and read as one.
        const bool marked = text.startsWith(QChar(0xFEFF));
        fuzz::check(back.encoding == (marked ? Encoding::Utf8Bom : Encoding::Utf8) &&
                        back.text == (marked ? text.mid(1) : text),
                    "valid text survives UTF-8", text);
    }
    return 0;
}
