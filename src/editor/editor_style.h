#pragma once

#include <QtGlobal>

class QsciScintilla;

// Syntax colouring and the margins of the program's edit areas. Both leave
// the text, the undo history, the modified flag, the line-break mode and the
// UTF-8 mode as they were, and may be called again (on an editor already
// styled they change nothing more).
//
// Only what is shown gets coloured: Scintilla colours the rest as it scrolls
// into view, so a large document opens as fast as a plain one.

// HTML with the JavaScript of <script> elements (QsciLexerHTML); a
// line-number margin as wide as the line count needs, a fold margin, a
// monospace font and brace matching.
void style_html_editor(QsciScintilla* editor);

// A stylesheet (QsciLexerCSS), with the same margins, font and brace matching.
void style_css_editor(QsciScintilla* editor);

// Plain text for very large documents: no lexer and no folding (both would
// style the whole text when scrolled to its end); font and margins stay.
void style_plain_editor(QsciScintilla* editor);

// The horizontal scroll range follows the longest line shown so far, rather
// than a fixed width.
void scroll_with_longest_line(QsciScintilla* editor);

// Documents larger than this many bytes are shown as plain text.
constexpr qsizetype kHighlightLimit = 8 * 1024 * 1024;
