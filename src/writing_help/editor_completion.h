#pragma once

#include "editor/editor_text.h"
#include "writing_help/completion.h"

#include <QObject>
#include <QTimer>
#include <chrono>

class CompletionPopup;
class QsciScintilla;

// Completion in a QsciScintilla through Scintilla's own list (CompletionPopup): element names
// after "<" and a letter, attribute names inside a start tag, values inside a
// quoted value; the list narrows as the user types, Tab or Enter accepts,
// Escape closes. An accepted attribute is written with ="" and the caret
// between the quotes (its values offered at once); a boolean one alone.
// Typing "</" writes the name of the innermost open element and ">"; who
// types the name and ">" on by hand types over them, so nothing is doubled.
// Typing the quote that closes a value steps over one that is there already.
//
// The list is shown once typing pauses for kOfferDelay, never on the
// keystroke itself: opening Scintilla's list costs more than the keystroke,
// and a fast typist needs it only when stopping. It then looks at no more
// than kContextWindow bytes before the caret. "</" is answered on the
// keystroke, looking at no more than kOpenElementWindow bytes. Every
// insertion is one undo step.
//
// A child of the editor.
class EditorCompletion : public QObject {
    Q_OBJECT
  public:
    static constexpr std::chrono::milliseconds kOfferDelay{40};

    explicit EditorCompletion(QsciScintilla* editor);

    // Whether a list is due once the pause is over.
    bool offer_pending() const { return pause_.isActive(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void on_char_added(int ch);
    // Shows (or narrows, or closes) the list for the text before the caret.
    void offer();
    void close_tag();
    void on_chosen(const QByteArray& item, long start);

    QsciScintilla* editor_;
    EditorText text_;
    CompletionPopup* popup_;
    QTimer pause_;
    CompletionContext shown_; // what the open list is for
    // The rest of an end tag just written and not yet typed over by hand;
    // only while the caret stays after it and the text is as it was.
    QByteArray written_;
    long written_end_ = 0;
    long written_length_ = 0;
};
