#pragma once

#include <QByteArrayView>
#include <QObject>
#include <QStringView>

class QsciScintilla;

// A line longer than this (in bytes or UTF-16 units) makes a long-lined
// document: a minified page, a stylesheet or script on one line.
constexpr qsizetype kLongLineLength = 64 * 1024;

// Whether some line of the text is longer than kLongLineLength.
bool has_long_line(QByteArrayView text);
bool has_long_line(QStringView text);

// Keeps a plain (lexer-less) editor quick on lines of many megabytes.
//
// Scintilla lays out a changed line whole, measuring every character of it
// through Qt's text layout (about a third of a microsecond a character): on
// a 20 MB line, seconds per keystroke. It keeps the widths of short pieces of
// text (under 30 bytes) of one style in its position cache, and a line is
// cut into pieces where the style changes. So the text is given styles that
// all look alike but change every two characters: every piece is a pair of
// characters, the few thousand pairs a page uses are measured once, and
// laying out the line becomes a walk through the cache. The document's bytes
// are untouched; only the style bytes beside them are set.
//
// New text arrives in style 0. Short runs of it (typing) stay so, as they
// cost little; longer ones (a paste, an undone deletion, a loaded text) get
// the alternating styles when Scintilla asks for styling, or at once through
// catch_up(). While enabled the caret does not blink: each blink repaints
// the caret's whole line.
//
// A child of the editor.
class LongLineStyling : public QObject {
  public:
    explicit LongLineStyling(QsciScintilla* editor);

    // For an editor without a lexer only.
    void set_enabled(bool enabled);
    bool enabled() const { return enabled_; }

    // Styles new text now, before Scintilla lays it out.
    void catch_up();

  private:
    void style_new_text(qsizetype needed_to);

    QsciScintilla* editor_;
    bool enabled_ = false;
    long blink_period_ = 500;
    QMetaObject::Connection style_needed_;
};
