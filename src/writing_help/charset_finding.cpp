#include "writing_help/charset_finding.h"

#include "document/charset_declaration.h"
#include "document/document_codec.h"

namespace {

// The codec's names, with the mark said in words.
QString file_encoding_name(Encoding encoding) {
    return encoding == Encoding::Utf8Bom ? QStringLiteral("UTF-8 con BOM")
                                         : encoding_name(encoding);
}

} // namespace

std::optional<Finding> charset_finding(QByteArrayView utf8, Encoding file) {
    const CharsetDeclaration declaration = find_charset_declaration(utf8);
    if (!declaration.found() || declaration_matches(declaration.charset, file))
        return std::nullopt;
    const bool mark = file != Encoding::Utf8 && file != Encoding::Windows1252;
    Finding finding;
    finding.severity = mark ? Severity::Warning : Severity::Error;
    const QString said = QStringLiteral("La pagina dichiara la codifica \"%1\" ma il file è in %2")
                             .arg(QString::fromUtf8(declaration.label), file_encoding_name(file));
    finding.text = said + (mark ? QStringLiteral(": i browser seguono il BOM, altri programmi "
                                                 "la dichiarazione")
                                : QStringLiteral(": i browser ne mostreranno male le lettere "
                                                 "accentate"));
    // Its line (CR LF, LF or CR end one) and its column in UTF-16 units.
    qsizetype line_start = 0;
    for (qsizetype i = 0; i < declaration.start; ++i) {
        if (utf8[i] == '\n' || (utf8[i] == '\r' && utf8[i + 1] != '\n')) {
            ++finding.line;
            line_start = i + 1;
        }
    }
    for (qsizetype i = line_start; i < declaration.start; ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        finding.column += (c & 0xC0) == 0x80 ? 0 : c >= 0xF0 ? 2 : 1;
    }
    finding.offset = declaration.start;
    return finding;
}
