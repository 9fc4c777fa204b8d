#pragma once

#include <QObject>
#include <QString>

// The edit area as the program uses it: plain text, positions counted in
// characters from 0 (UTF-16 units; CR and LF count one each), a selection, a
// caret and a notice after every change of the text.
class EditArea : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

    virtual QString text() const = 0;
    // Replaces the whole text as one change.
    virtual void set_text(const QString& text) = 0;

    // Empty text when nothing is selected.
    virtual QString selected_text() const = 0;
    // Replaces the selection (or inserts at the caret) as one change and one
    // undo step; afterwards the caret stands after the text, nothing selected.
    virtual void replace_selection(const QString& text) = 0;

    // Puts `before` in front of the selection and `after` behind it (both at
    // the caret when nothing is selected) as one change and one undo step;
    // afterwards the caret stands after `after`, nothing selected. The text
    // is the same as after replacing the selection with before + selection +
    // after, which is what this does unless an edit area can leave the
    // selected text where it is.
    virtual void wrap_selection(const QString& before, const QString& after) {
        replace_selection(before + selected_text() + after);
    }

    virtual qsizetype caret() const = 0;
    // Moves the caret; nothing stays selected.
    virtual void set_caret(qsizetype position) = 0;
    virtual void select(qsizetype start, qsizetype length) = 0;
    virtual qsizetype selection_start() const = 0;
    virtual qsizetype selection_length() const = 0;

    virtual void give_focus() = 0;

  signals:
    // Raised once after every change of the text: once per typed character,
    // once per replacement, once per load; never on a half-made change.
    void changed();
};
