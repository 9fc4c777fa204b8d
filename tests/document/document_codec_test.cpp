#include "document/document_codec.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace Qt::StringLiterals;

// Lets gtest name encodings and line breaks readably in failures.
static void PrintTo(Encoding encoding, std::ostream* out) {
    *out << encoding_name(encoding).toStdString();
}
static void PrintTo(LineBreak line_break, std::ostream* out) {
    *out << line_break_name(line_break).toStdString();
}

namespace {

#define BYTES(literal) QByteArray(literal, qsizetype(sizeof(literal) - 1))

template <typename Case> std::string case_name(const testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

// --- Round trips: these byte sequences come back from decode and encode unchanged
// (any byte sequence at all: fuzz_codec).

struct RoundTripCase {
    const char* name;
    QByteArray bytes;
    Encoding encoding;
    LineBreak line_break;
};

class RoundTrip : public testing::TestWithParam<RoundTripCase> {};

TEST_P(RoundTrip, DecodeThenEncodeGivesBackTheSameBytes) {
    const RoundTripCase& c = GetParam();
    const DecodedDocument decoded = decode_document(c.bytes);
    EXPECT_EQ(decoded.encoding, c.encoding);
    EXPECT_EQ(decoded.line_break, c.line_break);
    EXPECT_EQ(encode_document(decoded.text, decoded.encoding), c.bytes);
    EXPECT_EQ(encode_document(decoded.text, decoded.encoding, Unencodable::References), c.bytes);
    EXPECT_TRUE(unencodable_characters(decoded.text, decoded.encoding).isEmpty());
    // inspect_document finds the same without the text, which starts after the mark.
    const DocumentForm form = inspect_document(c.bytes);
    EXPECT_EQ(form.encoding, c.encoding);
    EXPECT_EQ(form.line_break, c.line_break);
    EXPECT_EQ(form.text_start, c.encoding == Encoding::Utf8Bom ? 3 : 0);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Bytes, RoundTrip, testing::Values(
    RoundTripCase{"Empty", QByteArray(), Encoding::Utf8, LineBreak::CrLf},
    RoundTripCase{"LfCrIsTwoBreaks", BYTES("a\n\rb\n\r"), Encoding::Utf8, LineBreak::CrLf},
    RoundTripCase{"MostBreaksWin", BYTES("a\rb\r\nc\rd\ne\r"), Encoding::Utf8, LineBreak::Cr},
    RoundTripCase{"Utf8", BYTES("citt\xC3\xA0 \xE2\x89\xA0 \xF0\x9F\x98\x80\r\n"), Encoding::Utf8, LineBreak::CrLf},
    RoundTripCase{"Utf8Bom", BYTES("\xEF\xBB\xBF<p>perch\xC3\xA9</p>\n"), Encoding::Utf8Bom, LineBreak::Lf},
    RoundTripCase{"TwoBoms", BYTES("\xEF\xBB\xBF\xEF\xBB\xBFx"), Encoding::Utf8Bom, LineBreak::CrLf},
    RoundTripCase{"Noncharacters", BYTES("\xEF\xBF\xBE\xEF\xBF\xBF\xF4\x8F\xBF\xBF"), Encoding::Utf8, LineBreak::CrLf},
    RoundTripCase{"Windows1252", BYTES("caff\xE8 \x80 \x93x\x94\r\n"), Encoding::Windows1252, LineBreak::CrLf},
    RoundTripCase{"BomThenInvalid", BYTES("\xEF\xBB\xBF" "caff\xE8\n"), Encoding::Windows1252, LineBreak::Lf},
    RoundTripCase{"EncodedLoneSurrogate", BYTES("\xED\xA0\x80"), Encoding::Windows1252, LineBreak::CrLf},
    RoundTripCase{"OverlongThreeBytes", BYTES("\xE0\x80\xAF"), Encoding::Windows1252, LineBreak::CrLf},
    RoundTripCase{"OverlongFourBytes", BYTES("\xF0\x80\x80\xAF"), Encoding::Windows1252, LineBreak::CrLf},
    RoundTripCase{"AboveUnicode", BYTES("\xF4\x90\x80\x80"), Encoding::Windows1252, LineBreak::CrLf},
    RoundTripCase{"TruncatedAtEnd", BYTES("abc\xE2\x82"), Encoding::Windows1252, LineBreak::CrLf},
    RoundTripCase{"InvalidAfterLongAsciiRun", BYTES("abcdefghijklmnop\xFF"), Encoding::Windows1252, LineBreak::CrLf},
    RoundTripCase{"ValidAfterLongAsciiRun", BYTES("abcdefghijklmnop\xC3\xA8qrstuvwx"), Encoding::Utf8, LineBreak::CrLf}),
    case_name<RoundTripCase>);
// clang-format on

// --- What the text holds, and what Windows-1252 cannot hold.

struct TextCase {
    const char* name;
    QByteArray bytes;
    QString text;
};

class DecodedText : public testing::TestWithParam<TextCase> {};

TEST_P(DecodedText, HoldsTheCharactersOfTheFile) {
    EXPECT_EQ(decode_document(GetParam().bytes).text, GetParam().text);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Bytes, DecodedText, testing::Values(
    TextCase{"MarkLeftOut", BYTES("\xEF\xBB\xBFx"), u"x"_s},
    TextCase{"SecondMarkKept", BYTES("\xEF\xBB\xBF\xEF\xBB\xBFx"), u"\uFEFFx"_s},
    TextCase{"MarkInsideKept", BYTES("x\xEF\xBB\xBFy"), u"x\uFEFFy"_s},
    TextCase{"Windows1252Specials", BYTES("\x80\x85\x8A\x91\x92\x96\x97\x99\x9F"), u"\u20AC\u2026\u0160\u2018\u2019\u2013\u2014\u2122\u0178"_s},
    TextCase{"UndefinedBytesAsControls", BYTES("\x81\x8D\x8F\x90\x9D"), u"\u0081\u008D\u008F\u0090\u009D"_s},
    TextCase{"InvalidUtf8ReadByteByByte", BYTES("\xC3\xA8\xE8"), u"\u00C3\u00A8\u00E8"_s}),
    case_name<TextCase>);
// clang-format on

struct ReferenceCase {
    const char* name;
    QString text;
    QByteArray bytes;
};

class NumericReferences : public testing::TestWithParam<ReferenceCase> {};

TEST_P(NumericReferences, WriteOneDecimalReferencePerCodePoint) {
    EXPECT_EQ(encode_document(GetParam().text, Encoding::Windows1252, Unencodable::References),
              GetParam().bytes);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Texts, NumericReferences, testing::Values(
    ReferenceCase{"EmojiIsOneReference", u"\U0001F600"_s, "&#128512;"},
    ReferenceCase{"AmongEncodable", u"a \u2260 b \u2260 \u00E8\u20AC"_s, "a &#8800; b &#8800; \xE8\x80"},
    ReferenceCase{"ControlWithoutByte", u"\u0080\u009F"_s, "&#128;&#159;"},
    ReferenceCase{"ControlsWithByteKept", u"\u0081\u009D"_s, "\x81\x9D"},
    ReferenceCase{"LoneSurrogateIsReplacementCharacter", QString(QChar(0xD83D)) + u"x"_s, "&#65533;x"}),
    case_name<ReferenceCase>);
// clang-format on

TEST(Unencodable, ListedOnceInOrderOfFirstAppearanceAndFailGivesNull) {
    const QString text = u"a\u2260b\U0001F600\u2260\u20AC\u0100\U0001F600\u0100"_s;
    EXPECT_EQ(unencodable_characters(text, Encoding::Windows1252), u"\u2260\U0001F600\u0100"_s);
    EXPECT_TRUE(encode_document(u"ok \u2260"_s, Encoding::Windows1252).isNull());
    EXPECT_TRUE(
        encode_document(u"\U0001F600"_s, Encoding::Windows1252, Unencodable::Fail).isNull());
    EXPECT_EQ(encode_document(u"ok \u00E8"_s, Encoding::Windows1252), "ok \xE8");
}

TEST(Encode, EmptyTextIsEmptyNotNull) {
    for (Encoding encoding : {Encoding::Utf8, Encoding::Windows1252})
        for (const QString& empty : {QString(), QString(u""_s)})
            EXPECT_FALSE(encode_document(empty, encoding).isNull())
                << encoding_name(encoding).toStdString();
    EXPECT_EQ(encode_document(QString(), Encoding::Utf8Bom), "\xEF\xBB\xBF");
}

TEST(LooksBinary, WhenAnyByteIsNul) {
    EXPECT_FALSE(looks_binary(QByteArray()));
    EXPECT_FALSE(looks_binary(BYTES("\x01\x1B\x7F\x81")));
    EXPECT_TRUE(looks_binary(BYTES("abc\0")));
    EXPECT_TRUE(looks_binary(BYTES("<\0p\0>\0"))); // UTF-16 without its mark
}

} // namespace
