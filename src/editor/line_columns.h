#pragma once

#include <QtGlobal>

class QsciScintilla;

// The column of a byte position of a QsciScintilla's text: characters
// (UTF-16 units) from the start of its line. Counted from the last position
// asked for (the anchor) when that is on the same line and nearer: moving the
// caret along a long line costs only the way moved. Told of each modification
// before Scintilla makes it, the anchor keeps to its character, or is dropped
// where that cannot be known.
//
// A small value held by the edit area binding; the widget outlives it.
class LineColumns {
  public:
    explicit LineColumns(QsciScintilla* widget) : widget_(widget) {}

    qsizetype column(qsizetype byte_position);
    void before_insert(qsizetype at);
    void before_delete(qsizetype at, qsizetype length);

  private:
    QsciScintilla* widget_;
    // A byte position and its column, or -1.
    qsizetype anchor_ = -1;
    qsizetype anchor_column_ = 0;
};
