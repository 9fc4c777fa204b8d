#pragma once

#include <QByteArrayView>
#include <QPointer>
#include <QString>

class QsciScintilla;

// What a search needs of a QsciScintilla, for the find bar's EditorSearch,
// which owns one: the text, the conversion between UTF-16 units (as a search
// counts) and the editor's UTF-8 bytes, a byte range replaced as one undo
// step, the selection, and the view kept or moved to a place. It knows
// nothing of what is looked for.
//
// Holds a guarded pointer to the editor: every function does nothing (and
// answers 0) once the editor is gone.
class SearchTarget {
  public:
    explicit SearchTarget(QsciScintilla* editor);

    bool alive() const { return !editor_.isNull(); }
    QString text() const;

    // Has the editor keep an index of the lines' starts in UTF-16 units, so
    // conversions walk one line only. Building it walks the whole text, and
    // the editor keeps it up to date at every change while it is held.
    void hold_index(bool hold);
    long to_bytes(qsizetype units) const;
    qsizetype to_units(long bytes) const;

    long caret() const;
    long selection_start() const;
    long selection_end() const;
    // Selects [start, end), its line shown, and scrolls it into view.
    void select(long start, long end);
    void set_caret(long position);
    // Moves the caret without scrolling or changing the selection's anchor.
    void set_empty_selection(long position);

    // Replaces [start, end) by `text` as one undo step; the bytes put in.
    long replace(long start, long end, QByteArrayView text);

    // The top line and horizontal offset shown, to be put back as they were.
    struct View {
        long top_line = 0;
        long x_offset = 0;
    };
    View view() const;
    void set_view(const View& view);

  private:
    bool has_utf16_index() const;

    QPointer<QsciScintilla> editor_;
};
