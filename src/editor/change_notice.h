#pragma once

#include "editor/change_span.h"

#include <QEvent>
#include <QObject>
#include <QTimer>

// When the edit area tells of a change of its text, and what it tells: the
// one span of the modifications made since the last notice, in UTF-8 bytes,
// and the revision, which moves at every modification as it is made.
//
// A change the program makes (inside program_change) is told once, at its
// end. A change the user makes (a keystroke, a paste, an undo) is told once,
// when the next input event arrives (input_arrived) or once the repaint it
// asked for is done and on its way to the screen (the event loop about to
// wait), whichever comes first: what reacts to a keystroke (the preview file,
// the live preview, the checker's pause) never delays its echo.
//
// A Qt child of the edit area binding that feeds it.
class ChangeNotice : public QObject {
    Q_OBJECT
  public:
    explicit ChangeNotice(QObject* parent);

    // One modification as Scintilla is about to make it, in the text as it is
    // just before: the revision moves and the span widens to cover it.
    void note_edit(qsizetype at, qsizetype removed, qsizetype added);
    // Scintilla has told of a modification: a change the user makes waits
    // for its notice from here.
    void text_changed();
    // An input event has arrived, so the one before has been handled in full:
    // its change is told now, so every keystroke is told on its own.
    void input_arrived();

    // Runs a change made by the program: the modifications Scintilla makes
    // during it are told as one notice at its end.
    template <typename F> void program_change(F&& change) {
        ++quiet_;
        change();
        --quiet_;
        if (quiet_ == 0) {
            pending_ = false;
            report();
        }
    }

    // A change made by the user has not been told yet.
    bool pending() const { return pending_; }
    quint64 revision() const { return revision_; }

  signals:
    // From `position`, `removed` bytes of the text before the change gave way
    // to `added` bytes; `revision` is revision() after it.
    void reported(qsizetype position, qsizetype removed, qsizetype added, quint64 revision);

  protected:
    bool event(QEvent* event) override;

  private:
    void after_input();
    void on_idle();
    static QEvent::Type notice_event();
    void flush();
    void report();

    QTimer idle_fallback_;
    int quiet_ = 0;
    bool pending_ = false;
    quint64 revision_ = 0;
    ChangeSpan span_; // of the change not told yet
};
