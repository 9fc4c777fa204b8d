// Character <-> byte positions on a real QsciScintilla (offscreen): for any
// text, every character position maps to the byte length of the text before
// it and back; selections and the caret read back as set; replacing the
// selection keeps the text around it.

#include "fuzz_input.h"
#include "editor/scintilla_edit_area.h"

#include <QApplication>
#include <Qsci/qsciscintilla.h>

namespace {

QsciScintilla* widget = nullptr;
ScintillaEditArea* edit = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: libFuzzer ends with exit(), after which Qt's own
    // globals may already be gone.
    new QApplication(*argc, *argv);
    widget = new QsciScintilla;
    edit = new ScintillaEditArea(widget);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4 || size > 4096)
        return 0;
    fuzz::Reader in(data, 4);
    const uint32_t choices = in.u32();
    edit->set_text(fuzz::utf16_text(data + 4, size - 4));
    // Lone surrogates cannot be held in UTF-8: compare with what the control has.
    const QString text = edit->text();
    const QByteArray utf8 = edit->utf8();
    fuzz::check(utf8 == text.toUtf8(), "text and bytes agree", text);

    // Walk the text a character at a time, checking both conversions at each
    // boundary; the middle of a surrogate pair is no boundary.
    qsizetype bytes = 0;
    for (qsizetype k = 0;;) {
        fuzz::check(edit->to_bytes(k) == bytes, "characters -> bytes",
                    QStringLiteral("%1 of %2").arg(k).arg(text.size()));
        fuzz::check(edit->to_characters(bytes) == k, "bytes -> characters",
                    QStringLiteral("%1 of %2").arg(k).arg(text.size()));
        if (k == text.size())
            break;
        const char16_t unit = text[k].unicode();
        if (QChar::isHighSurrogate(unit) && k + 1 < text.size() && text[k + 1].isLowSurrogate()) {
            bytes += 4;
            k += 2;
        } else {
            bytes += unit < 0x80 ? 1 : unit < 0x800 ? 2 : 3;
            k += 1;
        }
    }
    fuzz::check(bytes == utf8.size(), "byte count of the whole text");
    fuzz::check(edit->to_bytes(text.size() + 5) == utf8.size(), "beyond the end is the end");

    // A selection on character boundaries reads back as set, and replacing it
    // keeps the text before and after.
    auto boundary = [&](qsizetype k) {
        k = qBound<qsizetype>(0, k, text.size());
        if (k > 0 && k < text.size() && text[k].isLowSurrogate() && text[k - 1].isHighSurrogate())
            --k;
        return k;
    };
    const qsizetype start = boundary(text.isEmpty() ? 0 : qsizetype(choices % (text.size() + 1)));
    const qsizetype end = boundary(start + qsizetype((choices >> 16) % 8));
    edit->select(start, end - start);
    fuzz::check(edit->selection_start() == start && edit->selection_length() == end - start,
                "selection reads back");
    fuzz::check(edit->selected_text() == text.mid(start, end - start), "selected text");
    const QString insert = QStringLiteral("€\r\n😀");
    edit->replace_selection(insert);
    fuzz::check(edit->text() == text.left(start) + insert + text.mid(end), "replacement");
    fuzz::check(edit->caret() == start + insert.size(), "caret after the replacement");
    edit->set_caret(start);
    fuzz::check(edit->caret() == start && edit->selection_length() == 0, "caret reads back");
    return 0;
}
