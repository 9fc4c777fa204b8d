// inspect_document finds what decode_document finds, without the text; for
// UTF-8 the bytes from text_start on are the text itself.

#include "app/document_codec.h"

#include <QStringDecoder>
#include <gtest/gtest.h>

namespace {

struct FormCase {
    const char* name;
    QByteArray bytes;
};

class InspectDocument : public ::testing::TestWithParam<FormCase> {};

QString utf8_keeping_marks(QByteArrayView bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom |
                                                     QStringDecoder::Flag::Stateless);
    return decoder.decode(bytes);
}

TEST_P(InspectDocument, AgreesWithDecodeAndPointsAtTheText) {
    const QByteArray& bytes = GetParam().bytes;
    const DocumentForm form = inspect_document(bytes);
    const DecodedDocument decoded = decode_document(bytes);
    EXPECT_EQ(form.encoding, decoded.encoding);
    EXPECT_EQ(form.line_break, decoded.line_break);
    if (form.encoding != Encoding::Windows1252)
        EXPECT_EQ(utf8_keeping_marks(QByteArrayView(bytes).sliced(form.text_start)), decoded.text);
    else
        EXPECT_EQ(form.text_start, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, InspectDocument,
    ::testing::Values(FormCase{"Empty", QByteArray()},
                      FormCase{"PlainUtf8Lf", QByteArray("caff\xc3\xa8\n\xe2\x82\xac\n")},
                      FormCase{"MarkCrLf", QByteArray("\xef\xbb\xbf<p>\r\n")},
                      FormCase{"TwoMarks", QByteArray("\xef\xbb\xbf\xef\xbb\xbfx")},
                      FormCase{"MarkOnly", QByteArray("\xef\xbb\xbf")},
                      FormCase{"Windows1252", QByteArray("caf\xe9\r")},
                      FormCase{"NoncharacterIsUtf8", QByteArray("a\xef\xbf\xbf"
                                                                "b")}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
