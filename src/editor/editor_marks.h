#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QPoint>

class QsciScintilla;

// Marks laid on the text of a QsciScintilla by whoever annotates it (the
// page checker's CheckMarks owns one): symbols in a margin of their own
// beside lines, underlined byte ranges, and invisible anchors, one byte long,
// that carry a number and move with the text as it is edited. It knows
// nothing of what the marks mean. Positions are bytes of the editor's text,
// lines count from 0.
//
// A plain member of its owner; the editor outlives it.
class EditorMarks {
  public:
    // Symbols go into the editor's margin number `margin`.
    EditorMarks(QsciScintilla* editor, int margin);

    // A kind of symbol, shown in the margin, invisible until drawn.
    int add_symbol_kind();
    void draw_symbol_kind(int kind, const QImage& image);
    // A kind of underline: a low squiggle in `colour`.
    int add_underline_kind(const QColor& colour);
    void set_margin_width(int pixels);
    // The height of the editor's first line of text, in pixels.
    int line_height() const;

    void add_symbol(long line, int kind);
    QList<int> lines_with_symbol(int kind) const;
    void underline(int kind, long from, long to);
    // An anchor at byte `at`; `number` is not 0.
    void add_anchor(long at, long number);
    // The number of the anchor at `at`, 0 when there is none.
    long anchor_at(long at) const;
    // The first anchor in [from, to), the last one before `before`; -1: none.
    long next_anchor(long from, long to) const;
    long previous_anchor(long before) const;
    // Every symbol, underline and anchor goes.
    void clear();

    // Makes the line of `position` visible and puts the caret there.
    void go_to(long position);
    // Where the line of `position` ends below it, in the viewport.
    QPoint point_below(long position) const;
    // The line whose symbol or underline is at `point` of the viewport, or -1.
    long line_at(QPoint point) const;

  private:
    QsciScintilla* editor_;
    int margin_;
    int anchors_;
    QList<int> symbol_kinds_;
    QList<int> underline_kinds_;
};
