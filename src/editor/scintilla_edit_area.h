#pragma once

#include "document/document_codec.h"
#include "editor/line_columns.h"
#include "platform/edit_area.h"

#include <QByteArrayView>
#include <QEvent>
#include <array>

class ChangeNotice;
class LongLineStyling;
class QsciScintilla;

// The edit area on a QsciScintilla. Scintilla counts bytes of UTF-8; this
// binding converts to and from characters (UTF-16 units) at its edges.
//
// Change notices: Scintilla reports a replacement as a deletion and an
// insertion. Changes made through this class are reported once, after they
// are complete; a change made by the user (a keystroke, a paste, an undo) is
// reported once, after its echo (see change_notice.h).
//
// Caret notices replace QScintilla's own (cursorPositionChanged), which
// count the column by walking from the line start on every caret move: a
// long walk on a long line. The binding also does the brace lighting that
// QScintilla did in the same place (see brace_matcher.h).
//
// The binding is a child of the widget and dies with it; so are its
// LongLineStyling and ChangeNotice.
class ScintillaEditArea : public EditArea {
    Q_OBJECT
  public:
    explicit ScintillaEditArea(QsciScintilla* widget);

    QString text() const override;
    void set_text(const QString& text) override;
    QString selected_text() const override;
    void replace_selection(const QString& text) override;
    void wrap_selection(const QString& before, const QString& after) override;
    qsizetype caret() const override;
    void set_caret(qsizetype position) override;
    void select(qsizetype start, qsizetype length) override;
    qsizetype selection_start() const override;
    qsizetype selection_length() const override;
    void give_focus() override;

    // Replaces the whole text with a loaded document: one change, and the
    // undo history starts afresh.
    void load_text(const QString& text);
    // Makes Enter insert this line break.
    void set_line_break(LineBreak line_break);
    // The same with the text as UTF-8 bytes, handed to Scintilla as they are.
    void load_utf8(QByteArrayView utf8);
    // Replaces the whole text with the file's text read again: one change,
    // and one step the user can undo. The caret keeps its line and column
    // where the new text has them.
    void reload_utf8(QByteArrayView utf8);
    // Replaces the bytes [from, to) of the text with `utf8` as one change and
    // one undo step; the caret and the selection keep their places in the
    // text around it.
    void replace_bytes(qsizetype from, qsizetype to, QByteArrayView utf8);
    // The text as Scintilla holds it: UTF-8 bytes, without conversion.
    QByteArray utf8() const;
    // The same bytes without a copy, as the two runs Scintilla keeps them in
    // before and after its gap, read where they lie: nothing of the text is
    // moved, so typing in the middle of a large document stays cheap. Valid
    // until the next change of the text. (None of this class's functions
    // moves the gap; asking Scintilla for SCI_GETCHARACTERPOINTER would.)
    std::array<QByteArrayView, 2> utf8_parts() const;

    QsciScintilla* widget() const { return widget_; }
    // A change made by the user has not been reported yet (its notice waits
    // for the next input event or the repaint).
    bool change_pending() const;
    // Moves at every modification of the text, as it is made (before its
    // notice): a reader that kept a copy of the text under another revision
    // holds a stale copy.
    quint64 revision() const;
    // The caret as a byte of the UTF-8 text.
    qsizetype caret_byte() const;

    // Gives a lexer-less editor the styling that keeps long lines quick (see
    // long_line_styling.h); the text loaded next is styled before it shows.
    void set_long_lines(bool on);
    bool long_lines() const;

    // Characters (UTF-16 units) from the start of its line to `byte_position`.
    // Counted from the last position asked for when that is on the same line
    // and nearer: moving the caret along a long line costs only the way moved.
    qsizetype column(qsizetype byte_position) const;

    // Character position <-> byte position.
    qsizetype to_characters(qsizetype byte_position) const;
    qsizetype to_bytes(qsizetype character_position) const;

  signals:
    // The caret has moved (by typing, a command or the user).
    void caret_moved();
    // Given with every changed() and just before it: the change in UTF-8
    // bytes. From `position`, `removed` bytes of the text before it gave way
    // to `added` bytes; a change made of several modifications (a paste over
    // a selection, an undo, a load) is given as the one span that covers
    // them. `revision`: revision() after it.
    void edited(qsizetype position, qsizetype removed, qsizetype added, quint64 revision);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void on_modified(qsizetype position, int type, qsizetype length);
    void on_update_ui();
    void report(qsizetype position, qsizetype removed, qsizetype added, quint64 revision);

    QsciScintilla* widget_;
    LongLineStyling* long_lines_;
    ChangeNotice* notice_;
    long last_caret_ = -1;
    // Asking for a column moves its anchor: a cache, not the text's state.
    mutable LineColumns columns_;
};
