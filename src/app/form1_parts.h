#pragma once

#include "css_editor/css_edit.h"

#include <QString>

class Asker;
class DocumentSession;
class FileChangeBar;
class FindBar;
class Form1;
class LivePreview;
class QAction;
class QsciScintilla;
class ScintillaEditArea;

// The main window's parts for tests and benchmarks, which drive and watch
// them directly; the program itself goes through Form1's own members.
// Holds the window by reference: use it while the window lives.
class Form1Parts {
  public:
    explicit Form1Parts(Form1& window) : window_(window) {}

    QsciScintilla* editor() const;
    ScintillaEditArea& edit_area() const;
    LivePreview* live_preview() const;
    FindBar* find_bar() const;
    FileChangeBar* file_change_bar() const;
    Asker& asker() const;
    // The document's files: open, save, recovery, modified state.
    DocumentSession& session() const;
    // The CSS editor window while it is open, else nullptr.
    css_edit* css_window() const;
    const CssEditorState& css_state() const;
    // A menu item's or toolbar button's action, by its name.
    QAction* action(const QString& name) const;
    // How often the whole text went to the preview file.
    int preview_writes() const;

  private:
    Form1& window_;
};
