#include "editor/search_target.h"

#include "editor/editor_text.h"
#include "editor/utf8_units.h"

#include <Qsci/qsciscintilla.h>

#include <algorithm>

using Sci = QsciScintillaBase;

SearchTarget::SearchTarget(QsciScintilla* editor) : editor_(editor) {}

QString SearchTarget::text() const {
    if (!editor_)
        return {};
    // A U+FEFF at the start is text too (QsciScintilla::text() would drop it
    // and put every match one off).
    const auto [first, second] = EditorText(editor_).parts();
    return utf8_units::decode(first, second);
}

void SearchTarget::hold_index(bool hold) {
    if (editor_)
        editor_->SendScintilla(hold ? Sci::SCI_ALLOCATELINECHARACTERINDEX
                                    : Sci::SCI_RELEASELINECHARACTERINDEX,
                               (unsigned long)Sci::SC_LINECHARACTERINDEX_UTF16);
}

bool SearchTarget::has_utf16_index() const {
    return (editor_->SendScintilla(Sci::SCI_GETLINECHARACTERINDEX) &
            Sci::SC_LINECHARACTERINDEX_UTF16) != 0;
}

// Scintilla counts bytes, a search UTF-16 units. With the editor's index of
// the lines' starts in units a conversion counts within one line only. The
// counting itself is done over the text's bytes (utf8_units): Scintilla's own
// messages for it take U+FFFE and U+FFFF for three units each, where the
// search's text has one, and would put a match off by two after each.
long SearchTarget::to_bytes(qsizetype units) const {
    if (units <= 0 || !editor_)
        return 0;
    long base = 0;
    qsizetype wanted = units;
    if (has_utf16_index()) {
        const long line =
            editor_->SendScintilla(Sci::SCI_LINEFROMINDEXPOSITION, (unsigned long)units,
                                   long(Sci::SC_LINECHARACTERINDEX_UTF16));
        base = editor_->SendScintilla(Sci::SCI_POSITIONFROMLINE, (unsigned long)line);
        wanted -= editor_->SendScintilla(Sci::SCI_INDEXPOSITIONFROMLINE, (unsigned long)line,
                                         long(Sci::SC_LINECHARACTERINDEX_UTF16));
    }
    // Walked from `base` through both runs; beyond the end: the end.
    const auto [first, second] = EditorText(editor_).parts();
    long at = base;
    if (at < first.size()) {
        const qsizetype found = utf8_units::find(first.data() + at, first.size() - at, &wanted);
        if (found >= 0)
            return at + long(found);
        at = long(first.size());
    }
    const qsizetype skip = at - first.size();
    const qsizetype found = utf8_units::find(second.data() + skip, second.size() - skip, &wanted);
    return found >= 0 ? at + long(found) : long(first.size() + second.size());
}

qsizetype SearchTarget::to_units(long bytes) const {
    if (bytes <= 0 || !editor_)
        return 0;
    const EditorText text(editor_);
    bytes = std::min(bytes, text.length());
    long line_start = 0;
    qsizetype base = 0;
    if (has_utf16_index()) {
        const long line = text.line_of(bytes);
        line_start = text.line_start(line);
        base = editor_->SendScintilla(Sci::SCI_INDEXPOSITIONFROMLINE, (unsigned long)line,
                                      long(Sci::SC_LINECHARACTERINDEX_UTF16));
    }
    return base + utf8_units::between(text.parts(), line_start, bytes);
}

long SearchTarget::caret() const {
    return editor_ ? editor_->SendScintilla(Sci::SCI_GETCURRENTPOS) : 0;
}

long SearchTarget::selection_start() const {
    return editor_ ? editor_->SendScintilla(Sci::SCI_GETSELECTIONSTART) : 0;
}

long SearchTarget::selection_end() const {
    return editor_ ? editor_->SendScintilla(Sci::SCI_GETSELECTIONEND) : 0;
}

void SearchTarget::select(long start, long end) {
    if (!editor_)
        return;
    const long line = editor_->SendScintilla(Sci::SCI_LINEFROMPOSITION, (unsigned long)start);
    editor_->SendScintilla(Sci::SCI_ENSUREVISIBLEENFORCEPOLICY, (unsigned long)line);
    editor_->SendScintilla(Sci::SCI_SETSEL, (unsigned long)start, end);
    editor_->SendScintilla(Sci::SCI_SCROLLCARET);
}

void SearchTarget::set_caret(long position) {
    if (editor_)
        editor_->SendScintilla(Sci::SCI_GOTOPOS, (unsigned long)position);
}

void SearchTarget::set_empty_selection(long position) {
    if (editor_)
        editor_->SendScintilla(Sci::SCI_SETEMPTYSELECTION, (unsigned long)position);
}

long SearchTarget::replace(long start, long end, QByteArrayView text) {
    if (!editor_)
        return 0;
    editor_->SendScintilla(Sci::SCI_BEGINUNDOACTION);
    editor_->SendScintilla(Sci::SCI_SETTARGETRANGE, (unsigned long)start, end);
    // Never a null pointer, even for no text: Scintilla reads through it.
    const long length = editor_->SendScintilla(Sci::SCI_REPLACETARGET, uintptr_t(text.size()),
                                               text.isNull() ? "" : text.data());
    editor_->SendScintilla(Sci::SCI_ENDUNDOACTION);
    return length;
}

SearchTarget::View SearchTarget::view() const {
    if (!editor_)
        return {};
    return {editor_->SendScintilla(Sci::SCI_GETFIRSTVISIBLELINE),
            editor_->SendScintilla(Sci::SCI_GETXOFFSET)};
}

void SearchTarget::set_view(const View& view) {
    if (!editor_)
        return;
    editor_->SendScintilla(Sci::SCI_SETFIRSTVISIBLELINE, (unsigned long)view.top_line);
    editor_->SendScintilla(Sci::SCI_SETXOFFSET, (unsigned long)view.x_offset);
}
