#pragma once

#include <QByteArrayView>
#include <array>

class QsciScintilla;

// Lights the brace at the caret and its partner, as QScintilla's own brace
// matching does in the editor's mode (sloppy: the brace before the caret,
// else the one after it; strict: only the one before), with the partner
// looked for no further than kBraceReach bytes away: Scintilla's search
// walks the whole document when a brace has no partner, and QScintilla
// counts the columns of both from their line starts, all on every caret
// move. A partner beyond the reach is not shown; one that does not exist
// within the document is shown as bad.
//
// With a lexer only braces of the brace's own style count, as in
// Scintilla; without one the styles mean nothing (see long_line_styling.h).
// `text` is the editor's text in its two runs.
constexpr qsizetype kBraceReach = 1024 * 1024;
void light_braces(QsciScintilla* editor, std::array<QByteArrayView, 2> text);
