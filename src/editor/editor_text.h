#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <array>

class QsciScintilla;

// Reading the text of a QsciScintilla where only the widget is at hand (the
// writing help, the status labels, the marks and the completion list): its
// length, the caret, single bytes, ranges and lines, all in bytes of UTF-8 as
// Scintilla counts them. Reads only; nothing here moves Scintilla's gap.
//
// A small value over the editor, made by whoever reads; the editor outlives it.
class EditorText {
  public:
    explicit EditorText(QsciScintilla* editor) : editor_(editor) {}

    long length() const;
    long caret() const;
    // The byte at `position`, 0 outside the text.
    int byte_at(long position) const;
    // The bytes [from, to), copied out of both halves of Scintilla's buffer.
    QByteArray range(long from, long to) const;
    QByteArray all() const { return range(0, length()); }
    // The whole text without a copy, as the two runs Scintilla keeps it in
    // before and after its gap, read where they lie. Valid until the next
    // change of the text.
    std::array<QByteArrayView, 2> parts() const;
    // Up to `length` bytes before the caret.
    QByteArray before_caret(long length) const;

    // Lines count from 0.
    long line_count() const;
    long line_of(long position) const;
    long line_start(long line) const;
    // Where the line's text ends, before its line break.
    long line_end(long line) const;
    // The line's first byte that is not a space or a tab.
    long line_indent(long line) const;

    // One caret and nothing selected.
    bool one_empty_selection() const;
    bool selection_empty() const;

  private:
    QsciScintilla* editor_;
};
