#pragma once

#include "editor/editor_marks.h"
#include "writing_help/page_check.h"

#include <QObject>
#include <QStringList>
#include <vector>

class QsciScintilla;

// The checker's findings on a QsciScintilla: a warning or error symbol in a
// margin of its own beside each line with findings, the line underlined, the
// messages shown when the pointer rests on the symbol or the underline, and
// the caret taken from finding to finding.
//
// The marks follow the text as it is edited until the next findings replace
// them. At most kMaxMarked findings are marked; all are counted.
//
// A child of the editor.
class CheckMarks : public QObject {
    Q_OBJECT
  public:
    static constexpr int kMaxMarked = 2000;

    explicit CheckMarks(QsciScintilla* editor);

    // Replaces the marks. The findings' offsets are byte positions in the
    // editor's text as it stands.
    void show(const std::vector<Finding>& findings);
    void clear();

    int errors() const { return errors_; }
    int warnings() const { return warnings_; }

    // Moves the caret to the next (previous) finding after (before) it, round
    // past the end; shows its messages. False when there is none.
    bool go_next() { return go(+1); }
    bool go_previous() { return go(-1); }

    // The messages of the findings now on `line` (from 0).
    QStringList messages_on_line(int line) const;
    // The lines (from 0) that carry a symbol now, of each kind.
    QList<int> marked_lines(Severity severity) const;

  signals:
    void changed();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void remove_all();
    // Each place with findings carries an anchor that moves with the text;
    // its number numbers the place (from 1).
    void anchor(long at, const QString& text);
    bool go(int direction);
    int marker(Severity severity) const;
    int symbol_size() const;
    void draw_symbols();
    int indicator(Severity severity) const;
    void underline(int line, long at, Severity severity);
    void show_messages_at(long position);

    QsciScintilla* editor_;
    EditorMarks marks_;
    std::vector<QStringList> places_; // the messages of each place
    int errors_ = 0;
    int warnings_ = 0;
    int error_marker_, warning_marker_;
    bool symbols_drawn_ = false;
    int error_indicator_, warning_indicator_;
};

// "2 errori, 3 avvisi", "1 errore, 1 avviso".
QString finding_count_text(int errors, int warnings);
