#pragma once

#include <QByteArray>
#include <QObject>
#include <QStringList>

class QsciScintilla;

// Scintilla's own completion list on a QsciScintilla, for the writing help's
// EditorCompletion, which owns it (a Qt child of it): the list shown,
// narrowed as the user types, closed; what the user does meanwhile (a
// character added, one deleted, an item chosen); and the edits that write a
// choice. It knows nothing of what is offered. Positions are bytes.
//
// The list matches without regard to case, closes once nothing in it
// matches, never chooses by itself, shows ten items at most.
class CompletionPopup : public QObject {
    Q_OBJECT
  public:
    CompletionPopup(QsciScintilla* editor, QObject* owner);

    // Shows `items` for the `typed` bytes before the caret, which they match.
    void show(qsizetype typed, const QStringList& items);
    bool shown() const;
    void close();

    // Replaces [from, to) by `text` and puts the caret at `caret`, as one
    // undo step.
    void write(long from, long to, const QByteArray& text, long caret);
    // Moves the caret one character on.
    void step_over();

  signals:
    // A character typed, as Scintilla reports it (ASCII as itself).
    void char_added(int character);
    // A character deleted while the list is shown.
    void char_deleted();
    // The user chose `item`, meant to replace the bytes from `start` to the caret.
    void chosen(const QByteArray& item, long start);

  private:
    QsciScintilla* editor_;
};
