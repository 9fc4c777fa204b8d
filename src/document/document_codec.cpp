#include "document/document_codec.h"

#include "document/utf16_text.h"

#include <QSet>
#include <QtEndian>

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace {

constexpr char utf8_mark[] = "\xEF\xBB\xBF";
constexpr qsizetype utf8_mark_size = 3;

// Windows-1252 bytes 0x80 to 0x9F. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the C1 control of the
// same number, so that any byte read comes back when written.
constexpr std::array<char16_t, 32> cp1252_high = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

constexpr std::array<char16_t, 256> make_decode_table() {
    std::array<char16_t, 256> table{};
    for (int b = 0; b < 256; ++b)
        table[b] = static_cast<char16_t>(b);
    for (int b = 0; b < 32; ++b)
        table[0x80 + b] = cp1252_high[b];
    return table;
}

constexpr std::array<char16_t, 256> cp1252_decode = make_decode_table();

// Byte for each UTF-16 unit up to the highest one Windows-1252 holds
// (U+2122, the trade mark sign); -1 where the code page has none.
constexpr char16_t cp1252_highest = 0x2122;

constexpr std::array<std::int16_t, cp1252_highest + 1> make_encode_table() {
    std::array<std::int16_t, cp1252_highest + 1> table{};
    for (auto& byte : table)
        byte = -1;
    for (int b = 0; b < 256; ++b)
        table[cp1252_decode[b]] = static_cast<std::int16_t>(b);
    return table;
}

constexpr std::array<std::int16_t, cp1252_highest + 1> cp1252_encode = make_encode_table();

inline int cp1252_byte(char16_t c) {
    return c <= cp1252_highest ? cp1252_encode[c] : -1;
}

inline bool is_continuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Strict UTF-8: no overlong forms, no encoded surrogates (CESU-8), nothing
// above U+10FFFF, no truncated sequences.
bool is_valid_utf8(const unsigned char* s, qsizetype n) {
    constexpr std::uint64_t high_bits = 0x8080808080808080ULL;
    qsizetype i = 0;
    while (i < n) {
        // Skip ASCII eight bytes at a time, up to the first byte that is not.
        if (n - i >= 8) {
            const std::uint64_t high = qFromLittleEndian<quint64>(s + i) & high_bits;
            if (high == 0) {
                i += 8;
                continue;
            }
            i += std::countr_zero(high) / 8;
        } else if (s[i] < 0x80) {
            ++i;
            continue;
        }
        const unsigned char c = s[i];
        int length = 0;
        unsigned char low = 0x80, high = 0xBF; // range of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c == 0xE0) {
            length = 3, low = 0xA0;
        } else if (c == 0xED) {
            length = 3, high = 0x9F;
        } else if (c >= 0xE1 && c <= 0xEF) {
            length = 3;
        } else if (c == 0xF0) {
            length = 4, low = 0x90;
        } else if (c >= 0xF1 && c <= 0xF3) {
            length = 4;
        } else if (c == 0xF4) {
            length = 4, high = 0x8F;
        } else {
            return false;
        }
        if (n - i < length || s[i + 1] < low || s[i + 1] > high)
            return false;
        for (int k = 2; k < length; ++k) {
            if (!is_continuation(s[i + k]))
                return false;
        }
        i += length;
    }
    return true;
}

QString decode_cp1252(const char* bytes, qsizetype n) {
    QString text(n, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (qsizetype i = 0; i < n; ++i)
        out[i] = cp1252_decode[static_cast<unsigned char>(bytes[i])];
    return text;
}

constexpr std::uint64_t every_byte = 0x0101010101010101ULL;

// 0x80 in each byte of `word` that equals `byte`, 0 in every other bit.
inline std::uint64_t matching_bytes(std::uint64_t word, unsigned char byte) {
    constexpr std::uint64_t low7 = 0x7F7F7F7F7F7F7F7FULL;
    const std::uint64_t x = word ^ (every_byte * byte);
    return ~(((x & low7) + low7) | x | low7);
}

// The number of 0x80 bits in a result of matching_bytes().
inline qsizetype count_matches(std::uint64_t matches) {
    return static_cast<qsizetype>(((matches >> 7) * every_byte) >> 56);
}

// Counts the line breaks eight bytes at a time, without branches: this runs
// on every file opened.
LineBreak dominant_line_break(const QByteArray& bytes) {
    const char* s = bytes.constData();
    const qsizetype n = bytes.size();
    qsizetype all_lf = 0, all_cr = 0, crlf = 0;
    std::uint64_t previous_cr = 0; // 1 when the byte before the word is a CR
    qsizetype i = 0;
    for (; i + 8 <= n; i += 8) {
        const std::uint64_t word = qFromLittleEndian<quint64>(s + i);
        const std::uint64_t lf = matching_bytes(word, '\n');
        const std::uint64_t cr = matching_bytes(word, '\r');
        all_lf += count_matches(lf);
        all_cr += count_matches(cr);
        // A CR in one byte and an LF in the next, inside the word or across its start.
        crlf += count_matches(cr & (lf >> 8)) + static_cast<qsizetype>(previous_cr & (lf >> 7));
        previous_cr = cr >> 63;
    }
    bool last_cr = previous_cr != 0;
    for (; i < n; ++i) {
        const bool is_lf = s[i] == '\n';
        all_lf += is_lf;
        crlf += last_cr && is_lf;
        last_cr = s[i] == '\r';
        all_cr += last_cr;
    }
    return most_frequent_break(all_lf, all_cr, crlf);
}

// The code point at text[i] and the number of UTF-16 units it takes. A lone
// surrogate comes back as itself, one unit long.
inline char32_t code_point_at(const QChar* text, qsizetype size, qsizetype i, int* units) {
    const char16_t c = text[i].unicode();
    if (QChar::isHighSurrogate(c) && i + 1 < size && text[i + 1].isLowSurrogate()) {
        *units = 2;
        return QChar::surrogateToUcs4(c, text[i + 1].unicode());
    }
    *units = 1;
    return c;
}

void append_reference(QByteArray& out, char32_t code_point) {
    // A lone surrogate is no character: HTML reads its reference as U+FFFD, so write that.
    if (code_point >= 0xD800 && code_point <= 0xDFFF)
        code_point = 0xFFFD;
    out.append("&#", 2);
    out.append(QByteArray::number(static_cast<uint>(code_point)));
    out.append(';');
}

QByteArray encode_cp1252(const QString& text, Unencodable policy) {
    const qsizetype n = text.size();
    const char16_t* in = reinterpret_cast<const char16_t*>(text.constData());
    QByteArray out(n, Qt::Uninitialized);
    char* data = out.data();
    qsizetype i = 0;
    for (; i < n; ++i) {
        const int byte = cp1252_byte(in[i]);
        if (byte < 0)
            break;
        data[i] = static_cast<char>(byte);
    }
    if (i == n)
        return out;
    if (policy == Unencodable::Fail)
        return QByteArray();
    // From the first character without a byte on, references make the text longer.
    out.truncate(i);
    out.reserve(n + 64);
    while (i < n) {
        const int byte = cp1252_byte(in[i]);
        if (byte >= 0) {
            out.append(static_cast<char>(byte));
            ++i;
            continue;
        }
        int units = 1;
        append_reference(out, code_point_at(text.constData(), n, i, &units));
        i += units;
    }
    return out;
}

} // namespace

DocumentForm inspect_document(const QByteArray& bytes) {
    DocumentForm form;
    if (const Utf16Bytes utf16(bytes); utf16.valid()) {
        form.encoding = utf16.encoding();
        form.line_break = utf16.line_break();
        form.text_start = 2;
        return form;
    }
    form.line_break = dominant_line_break(bytes);
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    if (!is_valid_utf8(data, bytes.size())) {
        form.encoding = Encoding::Windows1252;
    } else if (bytes.startsWith(QByteArrayView(utf8_mark, utf8_mark_size))) {
        form.encoding = Encoding::Utf8Bom;
        form.text_start = utf8_mark_size;
    }
    return form;
}

DecodedDocument decode_document(const QByteArray& bytes) {
    const DocumentForm form = inspect_document(bytes);
    DecodedDocument document;
    document.encoding = form.encoding;
    document.line_break = form.line_break;
    switch (form.encoding) {
    case Encoding::Windows1252:
        document.text = decode_cp1252(bytes.constData(), bytes.size());
        break;
    case Encoding::Utf16Le:
    case Encoding::Utf16Be:
        document.text = Utf16Bytes(bytes).text();
        break;
    case Encoding::Utf8:
    case Encoding::Utf8Bom:
        // Marks after the first belong to the text.
        document.text = text_from_utf8(QByteArrayView(bytes).sliced(form.text_start));
        break;
    }
    return document;
}

QString text_from_utf8(QByteArrayView utf8) {
    // fromUtf8() drops a mark at the start of what it decodes.
    qsizetype marks = 0;
    while (utf8.startsWith(QByteArrayView(utf8_mark, utf8_mark_size))) {
        utf8 = utf8.sliced(utf8_mark_size);
        ++marks;
    }
    QString text = QString::fromUtf8(utf8);
    if (marks > 0)
        text.prepend(QString(marks, QChar(0xFEFF)));
    return text;
}

bool looks_binary(const QByteArray& bytes) {
    if (const Utf16Bytes utf16(bytes); utf16.valid()) {
        for (qsizetype i = 0; i < utf16.units(); ++i) {
            if (utf16.unit(i) == 0)
                return true;
        }
        return false;
    }
    return std::memchr(bytes.constData(), 0, static_cast<size_t>(bytes.size())) != nullptr;
}

QString unencodable_characters(const QString& text, Encoding encoding) {
    QString found;
    if (encoding != Encoding::Windows1252)
        return found;
    QSet<char32_t> seen;
    const QChar* in = text.constData();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n;) {
        if (cp1252_byte(in[i].unicode()) >= 0) {
            ++i;
            continue;
        }
        int units = 1;
        const char32_t code_point = code_point_at(in, n, i, &units);
        if (!seen.contains(code_point)) {
            seen.insert(code_point);
            found.append(in + i, units);
        }
        i += units;
    }
    return found;
}

QByteArray encode_document(const QString& text, Encoding encoding, Unencodable policy) {
    QByteArray out;
    switch (encoding) {
    case Encoding::Utf8:
        out = text.toUtf8();
        break;
    case Encoding::Utf8Bom:
        out = text.toUtf8();
        out.prepend(utf8_mark, utf8_mark_size);
        break;
    case Encoding::Windows1252:
        out = encode_cp1252(text, policy);
        if (out.isNull() && policy == Unencodable::Fail && !text.isEmpty())
            return out;
        break;
    case Encoding::Utf16Le:
    case Encoding::Utf16Be:
        out = encode_utf16(text, encoding);
        break;
    }
    if (out.isNull())
        out = QByteArray("");
    return out;
}

QString encoding_name(Encoding encoding) {
    switch (encoding) {
    case Encoding::Utf8:
        return QStringLiteral("UTF-8");
    case Encoding::Utf8Bom:
        return QStringLiteral("UTF-8 BOM");
    case Encoding::Windows1252:
        return QStringLiteral("Windows-1252");
    case Encoding::Utf16Le:
        return QStringLiteral("UTF-16 LE");
    case Encoding::Utf16Be:
        return QStringLiteral("UTF-16 BE");
    }
    return QString();
}

QString line_break_name(LineBreak line_break) {
    switch (line_break) {
    case LineBreak::CrLf:
        return QStringLiteral("CRLF");
    case LineBreak::Lf:
        return QStringLiteral("LF");
    case LineBreak::Cr:
        return QStringLiteral("CR");
    }
    return QString();
}
