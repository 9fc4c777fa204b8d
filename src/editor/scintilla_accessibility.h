#pragma once

class QsciScintillaBase;

// QScintilla's accessible text interface tells assistive technology of every
// change and every caret move by counting the characters from the start of
// the document to that place: milliseconds per keystroke in a large document.
// Qt creates the interface as soon as a widget is shown, so the cost is paid
// even when nothing listens.
//
// While accessibility is off, a managed editor is described by a plain
// editable-text widget interface instead, and Scintilla sends it only the
// notices sent before a change (and fold changes): the after-change notices
// carry the text that interface converts. The edit area learns of changes
// from the before-change notices. When a screen reader switches accessibility
// on, every managed editor gets QScintilla's own interface and all the
// notices back, so the reader hears every change; switched off, it is lean
// again.
namespace scintilla_accessibility {

// Starts managing `editor` (until it is destroyed) in the current state.
void manage(QsciScintillaBase* editor);

// Whether managed editors are in the lean state now.
bool lean();

} // namespace scintilla_accessibility
