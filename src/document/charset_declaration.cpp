#include "document/charset_declaration.h"

#include "html/chars.h"

#include <QList>

namespace {

// The labels browsers read, by encoding (the Encoding Standard's lists).
constexpr const char* kUtf8Labels =
    " unicode-1-1-utf-8 unicode11utf8 unicode20utf8 utf-8 utf8 x-unicode20utf8 ";
// x-user-defined is read as windows-1252 when a page declares it.
constexpr const char* kWindows1252Labels =
    " ansi_x3.4-1968 ascii cp1252 cp819 csisolatin1 ibm819 iso-8859-1 iso-ir-100 iso8859-1"
    " iso88591 iso_8859-1 iso_8859-1:1987 l1 latin1 us-ascii windows-1252 x-cp1252"
    " x-user-defined ";
constexpr const char* kUtf16Labels = " csunicode iso-10646-ucs-2 ucs-2 unicode unicodefeff utf-16"
                                     " utf-16le unicodefffe utf-16be ";
constexpr const char* kOtherLabels =
    " 866 cp866 csibm866 ibm866 csisolatin2 iso-8859-2 iso-ir-101 iso8859-2 iso88592 iso_8859-2"
    " iso_8859-2:1987 l2 latin2 csisolatin3 iso-8859-3 iso-ir-109 iso8859-3 iso88593 iso_8859-3"
    " iso_8859-3:1988 l3 latin3 csisolatin4 iso-8859-4 iso-ir-110 iso8859-4 iso88594 iso_8859-4"
    " iso_8859-4:1988 l4 latin4 csisolatincyrillic cyrillic iso-8859-5 iso-ir-144 iso8859-5"
    " iso88595 iso_8859-5 iso_8859-5:1988 arabic asmo-708 csiso88596e csiso88596i"
    " csisolatinarabic ecma-114 iso-8859-6 iso-8859-6-e iso-8859-6-i iso-ir-127 iso8859-6"
    " iso88596 iso_8859-6 iso_8859-6:1987 csisolatingreek ecma-118 elot_928 greek greek8"
    " iso-8859-7 iso-ir-126 iso8859-7 iso88597 iso_8859-7 iso_8859-7:1987 sun_eu_greek"
    " csiso88598e csisolatinhebrew hebrew iso-8859-8 iso-8859-8-e iso-ir-138 iso8859-8 iso88598"
    " iso_8859-8 iso_8859-8:1988 visual csiso88598i iso-8859-8-i logical csisolatin6 iso-8859-10"
    " iso-ir-157 iso8859-10 iso885910 l6 latin6 iso-8859-13 iso8859-13 iso885913 iso-8859-14"
    " iso8859-14 iso885914 csisolatin9 iso-8859-15 iso8859-15 iso885915 iso_8859-15 l9"
    " iso-8859-16 cskoi8r koi koi8 koi8-r koi8_r koi8-ru koi8-u csmacintosh mac macintosh"
    " x-mac-roman dos-874 iso-8859-11 iso8859-11 iso885911 tis-620 windows-874 cp1250"
    " windows-1250 x-cp1250 cp1251 windows-1251 x-cp1251 cp1253 windows-1253 x-cp1253 cp1254"
    " csisolatin5 iso-8859-9 iso-ir-148 iso8859-9 iso88599 iso_8859-9 iso_8859-9:1989 l5 latin5"
    " windows-1254 x-cp1254 cp1255 windows-1255 x-cp1255 cp1256 windows-1256 x-cp1256 cp1257"
    " windows-1257 x-cp1257 cp1258 windows-1258 x-cp1258 x-mac-cyrillic x-mac-ukrainian chinese"
    " csgb2312 csiso58gb231280 gb2312 gb_2312 gb_2312-80 gbk iso-ir-58 x-gbk gb18030 big5"
    " big5-hkscs cn-big5 csbig5 x-x-big5 cseucpkdfmtjapanese euc-jp x-euc-jp csiso2022jp"
    " iso-2022-jp csshiftjis ms932 ms_kanji shift-jis shift_jis sjis windows-31j x-sjis cseuckr"
    " csksc56011987 euc-kr iso-ir-149 korean ks_c_5601-1987 ks_c_5601-1989 ksc5601 ksc_5601"
    " windows-949 csiso2022kr hz-gb-2312 iso-2022-cn iso-2022-cn-ext iso-2022-kr replacement ";

using html::chars::is_letter;
using html::chars::is_space;
using html::chars::lower;
using html::chars::word_at;

struct Attribute {
    QByteArray name; // lower case
    qsizetype value_start = 0;
    qsizetype value_length = 0;
};

// Reads one attribute of a tag from `at`, as a browser's pre-scan does;
// false at the tag's end, `at` then just after its ">" (or at the end).
bool next_attribute(QByteArrayView text, qsizetype& at, Attribute& attribute) {
    const qsizetype n = text.size();
    while (at < n && (is_space(text[at]) || text[at] == '/'))
        ++at;
    if (at >= n || text[at] == '>') {
        at = std::min(n, at + 1);
        return false;
    }
    attribute = Attribute();
    // The name: the first character may be "=".
    do
        attribute.name += lower(text[at++]);
    while (at < n && text[at] != '=' && text[at] != '/' && text[at] != '>' && !is_space(text[at]));
    while (at < n && is_space(text[at]))
        ++at;
    if (at >= n || text[at] != '=') {
        attribute.value_start = at;
        return true;
    }
    ++at;
    while (at < n && is_space(text[at]))
        ++at;
    if (at < n && (text[at] == '"' || text[at] == '\'')) {
        const char quote = text[at++];
        const qsizetype close = text.indexOf(quote, at);
        const qsizetype end = close < 0 ? n : close;
        attribute.value_start = at;
        attribute.value_length = end - at;
        at = std::min(n, end + 1);
        return true;
    }
    attribute.value_start = at;
    while (at < n && !is_space(text[at]) && text[at] != '>')
        ++at;
    attribute.value_length = at - attribute.value_start;
    return true;
}

// The "charset=..." of a Content-Type value, as [start, start + length) of
// `text`; length 0 when there is none.
std::pair<qsizetype, qsizetype> charset_in_content(QByteArrayView text, qsizetype from,
                                                   qsizetype to) {
    for (qsizetype at = from; at + 7 <= to; ++at) {
        if (!word_at(text.first(to), at, "charset"))
            continue;
        qsizetype i = at + 7;
        while (i < to && is_space(text[i]))
            ++i;
        if (i >= to || text[i] != '=') {
            at = i - 1;
            continue;
        }
        ++i;
        while (i < to && is_space(text[i]))
            ++i;
        if (i < to && (text[i] == '"' || text[i] == '\'')) {
            const qsizetype close = text.first(to).indexOf(text[i], i + 1);
            if (close < 0)
                return {0, 0};
            return {i + 1, close - i - 1};
        }
        qsizetype end = i;
        while (end < to && !is_space(text[end]) && text[end] != ';')
            ++end;
        return {i, end - i};
    }
    return {0, 0};
}

// A <meta> tag from `at` (just after "<meta"): its declaration, if any.
CharsetDeclaration meta_declaration(QByteArrayView text, qsizetype& at) {
    CharsetDeclaration declaration;
    bool pragma = false;
    std::pair<qsizetype, qsizetype> charset{-1, 0}, content{-1, 0};
    QList<QByteArray> seen;
    for (Attribute attribute; next_attribute(text, at, attribute);) {
        if (seen.contains(attribute.name))
            continue;
        seen << attribute.name;
        const QByteArrayView value = text.sliced(attribute.value_start, attribute.value_length);
        if (attribute.name == "http-equiv")
            pragma = value.compare("content-type", Qt::CaseInsensitive) == 0;
        else if (attribute.name == "charset")
            charset = {attribute.value_start, attribute.value_length};
        else if (attribute.name == "content")
            content = charset_in_content(text, attribute.value_start,
                                         attribute.value_start + attribute.value_length);
    }
    const auto [start, length] = charset.first >= 0 ? charset : pragma ? content : charset;
    if (start < 0 || length == 0)
        return declaration;
    // The label without the spaces around it.
    qsizetype from = start, to = start + length;
    while (from < to && is_space(text[from]))
        ++from;
    while (to > from && is_space(text[to - 1]))
        --to;
    declaration.start = from;
    declaration.length = to - from;
    declaration.label = text.sliced(from, to - from).toByteArray();
    declaration.charset = charset_of_label(declaration.label);
    return declaration;
}

} // namespace

Charset charset_of_label(QByteArrayView label) {
    QByteArray key = " ";
    for (const char c : label)
        key += lower(c);
    key = key.trimmed();
    if (key.isEmpty() || key.contains(' '))
        return Charset::Unknown;
    key = ' ' + key + ' ';
    for (const auto& [labels, charset] :
         {std::pair{kUtf8Labels, Charset::Utf8},
          std::pair{kWindows1252Labels, Charset::Windows1252},
          std::pair{kUtf16Labels, Charset::Utf16}, std::pair{kOtherLabels, Charset::Other}})
        if (QByteArrayView(labels).contains(key))
            return charset;
    return Charset::Unknown;
}

CharsetDeclaration find_charset_declaration(QByteArrayView text) {
    const qsizetype n = text.size();
    for (qsizetype at = text.indexOf('<'); at >= 0 && at < n; at = text.indexOf('<', at)) {
        if (word_at(text, at, "<!--")) {
            // Up to a "-->", whose dashes may be those of the "<!--".
            const qsizetype end = text.indexOf("-->", at + 2);
            at = end < 0 ? n : end + 3;
        } else if (word_at(text, at, "<meta") && at + 5 < n &&
                   (is_space(text[at + 5]) || text[at + 5] == '/')) {
            at += 5;
            const CharsetDeclaration declaration = meta_declaration(text, at);
            if (declaration.found() && declaration.charset != Charset::Unknown)
                return declaration;
        } else if (at + 1 < n && (is_letter(text[at + 1]) ||
                                  (text[at + 1] == '/' && at + 2 < n && is_letter(text[at + 2])))) {
            // Any other tag: its attributes are passed over whole, so that a
            // ">" or a "<meta" inside a value counts for nothing. The body's
            // start ends the search: no browser looks for one beyond.
            if (word_at(text, at, "<body") &&
                (at + 5 == n || is_space(text[at + 5]) || text[at + 5] == '>'))
                break;
            qsizetype i = at + 1;
            while (i < n && !is_space(text[i]) && text[i] != '>')
                ++i;
            Attribute ignored;
            while (next_attribute(text, i, ignored)) {
            }
            at = i;
        } else if (word_at(text, at, "<!") || word_at(text, at, "</") || word_at(text, at, "<?")) {
            const qsizetype end = text.indexOf('>', at + 1);
            at = end < 0 ? n : end + 1;
        } else {
            ++at;
        }
    }
    return {};
}

bool declaration_matches(Charset declared, Encoding encoding) {
    switch (encoding) {
    case Encoding::Utf8:
    case Encoding::Utf8Bom:
        return declared == Charset::Utf8;
    case Encoding::Windows1252:
        return declared == Charset::Windows1252;
    case Encoding::Utf16Le:
    case Encoding::Utf16Be:
        return declared == Charset::Utf16;
    }
    return false;
}
