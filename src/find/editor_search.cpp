#include "find/editor_search.h"

namespace {

using Sci = QsciScintillaBase;

// Scintilla counts UTF-8 bytes, the search counts UTF-16 units. The editor
// keeps an index of each line's start in UTF-16 units (allocated by the bar),
// so a conversion only walks within one line.
bool has_utf16_index(const QsciScintilla* editor) {
    return (editor->SendScintilla(Sci::SCI_GETLINECHARACTERINDEX) &
            Sci::SC_LINECHARACTERINDEX_UTF16) != 0;
}

long bytes_of(const QsciScintilla* editor, qsizetype units) {
    if (units <= 0)
        return 0;
    long base = 0;
    long delta = long(units);
    if (has_utf16_index(editor)) {
        const long line =
            editor->SendScintilla(Sci::SCI_LINEFROMINDEXPOSITION, (unsigned long)units,
                                  long(Sci::SC_LINECHARACTERINDEX_UTF16));
        base = editor->SendScintilla(Sci::SCI_POSITIONFROMLINE, (unsigned long)line);
        delta -= editor->SendScintilla(Sci::SCI_INDEXPOSITIONFROMLINE, (unsigned long)line,
                                       long(Sci::SC_LINECHARACTERINDEX_UTF16));
    }
    if (delta <= 0)
        return base;
    const long position =
        editor->SendScintilla(Sci::SCI_POSITIONRELATIVECODEUNITS, (unsigned long)base, delta);
    // Scintilla answers 0 for a position beyond the end.
    return position == 0 ? editor->SendScintilla(Sci::SCI_GETLENGTH) : position;
}

qsizetype units_of(const QsciScintilla* editor, long bytes) {
    if (bytes <= 0)
        return 0;
    long line_start = 0;
    qsizetype base = 0;
    if (has_utf16_index(editor)) {
        const long line = editor->SendScintilla(Sci::SCI_LINEFROMPOSITION, (unsigned long)bytes);
        line_start = editor->SendScintilla(Sci::SCI_POSITIONFROMLINE, (unsigned long)line);
        base = editor->SendScintilla(Sci::SCI_INDEXPOSITIONFROMLINE, (unsigned long)line,
                                     long(Sci::SC_LINECHARACTERINDEX_UTF16));
    }
    return base + editor->SendScintilla(Sci::SCI_COUNTCODEUNITS, (unsigned long)line_start, bytes);
}

} // namespace

void EditorSearch::hold_index(bool hold) {
    // Kept only while the bar is open: the editor keeps it up to date at
    // every change, and building it walks the whole text, which opening a
    // large document should not pay for.
    if (hold == index_held_ || !editor_)
        return;
    editor_->SendScintilla(hold ? Sci::SCI_ALLOCATELINECHARACTERINDEX
                                : Sci::SCI_RELEASELINECHARACTERINDEX,
                           (unsigned long)Sci::SC_LINECHARACTERINDEX_UTF16);
    index_held_ = hold;
}

const QString& EditorSearch::text() {
    if (editor_ && edit_ && (!text_valid_ || text_revision_ != edit_->revision())) {
        text_ = editor_->text();
        text_valid_ = true;
        text_revision_ = edit_->revision();
    }
    return text_;
}

long EditorSearch::to_bytes(qsizetype units) const {
    return bytes_of(editor_, units);
}

qsizetype EditorSearch::to_units(long bytes) const {
    return units_of(editor_, bytes);
}

qsizetype EditorSearch::selection_start() const {
    return editor_ ? to_units(editor_->SendScintilla(Sci::SCI_GETSELECTIONSTART)) : 0;
}

qsizetype EditorSearch::selection_end() const {
    return editor_ ? to_units(editor_->SendScintilla(Sci::SCI_GETSELECTIONEND)) : 0;
}

// Replaces bytes [start, end) by `text`; the length of what went in, in bytes.
long EditorSearch::replace_range(long start, long end, const QByteArray& text) {
    editor_->SendScintilla(Sci::SCI_SETTARGETRANGE, (unsigned long)start, end);
    return editor_->SendScintilla(Sci::SCI_REPLACETARGET, uintptr_t(text.size()), text.constData());
}

void EditorSearch::select(const TextMatch& match) {
    if (!editor_)
        return;
    const long start = to_bytes(match.start);
    const long end = to_bytes(match.end());
    const long line = editor_->SendScintilla(Sci::SCI_LINEFROMPOSITION, (unsigned long)start);
    editor_->SendScintilla(Sci::SCI_ENSUREVISIBLEENFORCEPOLICY, (unsigned long)line);
    editor_->SendScintilla(Sci::SCI_SETSEL, (unsigned long)start, end);
    editor_->SendScintilla(Sci::SCI_SCROLLCARET);
}

bool EditorSearch::replace_selection(const QString& needle, const QString& replacement,
                                     FindOptions options) {
    if (!editor_)
        return false;
    const long start = editor_->SendScintilla(Sci::SCI_GETSELECTIONSTART);
    const long end = editor_->SendScintilla(Sci::SCI_GETSELECTIONEND);
    const qsizetype start_units = to_units(start);
    const bool selection_matches = to_units(end) - start_units == needle.size() &&
                                   matches_at(text(), needle, start_units, options);
    if (selection_matches) {
        editor_->SendScintilla(Sci::SCI_BEGINUNDOACTION);
        const long length = replace_range(start, end, replacement.toUtf8());
        editor_->SendScintilla(Sci::SCI_ENDUNDOACTION);
        editor_->SendScintilla(Sci::SCI_GOTOPOS, (unsigned long)(start + length));
    }
    return selection_matches;
}

qsizetype EditorSearch::replace_all(const QString& needle, const QString& replacement,
                                    FindOptions options) {
    if (!editor_)
        return 0;
    const QString& text = this->text();
    const QList<qsizetype> starts = find_all(text, needle, options);
    if (starts.isEmpty())
        return 0;
    // by match costs QScintilla a walk from the start of the text each time.)
    const qsizetype first = starts.front();
    const qsizetype last_end = starts.back() + needle.size();
    QString span;
    span.reserve(last_end - first + starts.size() * (replacement.size() - needle.size()));
    qsizetype copied = first;
    for (const qsizetype start : starts) {
        span.append(QStringView(text).sliced(copied, start - copied));
        span.append(replacement);
        copied = start + needle.size();
    }
    const qsizetype caret = to_units(editor_->SendScintilla(Sci::SCI_GETCURRENTPOS));
    const long top_line = editor_->SendScintilla(Sci::SCI_GETFIRSTVISIBLELINE);
    const long x_offset = editor_->SendScintilla(Sci::SCI_GETXOFFSET);

    editor_->SendScintilla(Sci::SCI_BEGINUNDOACTION);
    replace_range(to_bytes(first), to_bytes(last_end), span.toUtf8());
    editor_->SendScintilla(Sci::SCI_ENDUNDOACTION);

    // The caret stays by the text it was in; the view does not move.
    const qsizetype new_caret =
        position_after_replace(caret, starts, needle.size(), replacement.size());
    editor_->SendScintilla(Sci::SCI_SETEMPTYSELECTION, (unsigned long)to_bytes(new_caret));
    editor_->SendScintilla(Sci::SCI_SETFIRSTVISIBLELINE, (unsigned long)top_line);
    editor_->SendScintilla(Sci::SCI_SETXOFFSET, (unsigned long)x_offset);
    return starts.size();
}
