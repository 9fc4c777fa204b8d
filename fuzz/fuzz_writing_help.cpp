// The text before the caret read for completion and end tags, and the
// checker's findings placed on lines and columns: for any text, offers fit
// what was typed, an end tag names an element that is there, and every
// finding lands on a character's start, on the line and column it names.

#include "fuzz_input.h"
#include "writing_help/completion.h"
#include "writing_help/page_check.h"

#include <QStringDecoder>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4 || size > 4096)
        return 0;
    fuzz::Reader in(data, size);
    const int findings_wanted = in.byte() % 8;
    const QByteArray text = in.text(255).toUtf8() + in.text(255).toUtf8();

    const CompletionContext context = completion_context(text);
    if (context.kind != CompletionContext::Kind::None && !text.endsWith(context.prefix))
        fuzz::fail("the prefix ends the text", QString::fromUtf8(text));
    for (const QString& item : completion_items(context))
        if (!item.startsWith(QString::fromUtf8(context.prefix), Qt::CaseInsensitive))
            fuzz::fail("an offer begins with what was typed", item);
    const QByteArray open = open_element_before(text);
    if (!open.isEmpty() && !text.contains('<' + open))
        fuzz::fail("the element to close is in the text", QString::fromUtf8(open));

    if (foreign_depth(text, 16) > 17)
        fuzz::fail("SVG and MathML counted no further than asked");

    std::vector<Finding> findings(findings_wanted);
    for (Finding& finding : findings) {
        finding.line = 1 + in.byte() % 6;
        finding.column = 1 + in.byte() % 40;
    }
    place_findings(text, findings, 8);
    qsizetype previous = 0;
    for (const Finding& f : findings) {
        if (f.offset < previous || f.offset > text.size())
            fuzz::fail("findings in order, inside the text");
        previous = f.offset;
        if (f.offset < text.size() && (uchar(text[f.offset]) & 0xC0) == 0x80)
            fuzz::fail("a finding on a character's start");
        // Decoded keeping a U+FEFF at the start, as the edit control does.
        QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
        const QString before = decode(text.first(f.offset));
        const qsizetype crlf = before.count(QStringLiteral("\r\n"));
        if (f.line != before.count(u'\r') + before.count(u'\n') - crlf)
            fuzz::fail("a finding on the line it names", before);
        const qsizetype line_start =
            std::max(before.lastIndexOf(u'\r'), before.lastIndexOf(u'\n')) + 1;
        if (f.column != before.size() - line_start)
            fuzz::fail("a finding at the column it names", before);
    }
    return 0;
}
