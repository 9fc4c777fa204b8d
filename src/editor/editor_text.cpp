#include "editor/editor_text.h"

#include <Qsci/qsciscintilla.h>

#include <algorithm>

using Sci = QsciScintillaBase;

long EditorText::length() const {
    return editor_->SendScintilla(Sci::SCI_GETLENGTH);
}

long EditorText::caret() const {
    return editor_->SendScintilla(Sci::SCI_GETCURRENTPOS);
}

int EditorText::byte_at(long position) const {
    return int(editor_->SendScintilla(Sci::SCI_GETCHARAT, (unsigned long)position));
}

QByteArray EditorText::range(long from, long to) const {
    QByteArray bytes(std::max(0L, to - from), Qt::Uninitialized);
    if (!bytes.isEmpty())
        editor_->SendScintilla(Sci::SCI_GETTEXTRANGE, from, to, bytes.data());
    return bytes;
}

QByteArray EditorText::before_caret(long length) const {
    const long end = caret();
    return range(std::max(0L, end - length), end);
}

std::array<QByteArrayView, 2> EditorText::parts() const {
    // Each part is asked for where it lies: asking for the whole text as one
    // piece would move the gap on every call.
    const long size = length();
    const long gap = std::clamp(long(editor_->SendScintilla(Sci::SCI_GETGAPPOSITION)), 0L, size);
    auto part = [this](long start, long bytes) {
        if (bytes <= 0)
            return QByteArrayView();
        return QByteArrayView(reinterpret_cast<const char*>(editor_->SendScintilla(
                                  Sci::SCI_GETRANGEPOINTER, (unsigned long)start, bytes)),
                              bytes);
    };
    return {part(0, gap), part(gap, size - gap)};
}

long EditorText::line_count() const {
    return editor_->SendScintilla(Sci::SCI_GETLINECOUNT);
}

long EditorText::line_of(long position) const {
    return editor_->SendScintilla(Sci::SCI_LINEFROMPOSITION, (unsigned long)position);
}

long EditorText::line_start(long line) const {
    return editor_->SendScintilla(Sci::SCI_POSITIONFROMLINE, (unsigned long)line);
}

long EditorText::line_end(long line) const {
    return editor_->SendScintilla(Sci::SCI_GETLINEENDPOSITION, (unsigned long)line);
}

long EditorText::line_indent(long line) const {
    return editor_->SendScintilla(Sci::SCI_GETLINEINDENTPOSITION, (unsigned long)line);
}

bool EditorText::one_empty_selection() const {
    return editor_->SendScintilla(Sci::SCI_GETSELECTIONS) == 1 && selection_empty();
}

bool EditorText::selection_empty() const {
    return editor_->SendScintilla(Sci::SCI_GETSELECTIONEMPTY) != 0;
}
