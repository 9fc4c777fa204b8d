#pragma once

#include "document/document_session.h"

#include <memory>

class FileChangeBar;
class FindBar;
class QMainWindow;
class QWidget;
class EditorDocument;
class StatusPresenter;

// The main window's document: the session on the window's edited document, asking
// through the window's questions; the window title and the status bar's messages kept up
// to date; the keys Ctrl+S (save to the document's own file) and Ctrl+Shift+S
// (the save dialog, as the toolbar's save button); the notice of a file
// changed on disk above the edit area, and F6 to reach it; the find bar and
// its keys; the status bar's
// labels of the caret's place and the file form, and the writing help (its
// count in the status bar, F8 and Shift+F8 on the window).
//
// Ownership: owned by the window, which outlives it, as do the edited
// document, the questions and the status presenter; its two actions are the
// window's Qt children and act on the session only while it lives.
class WindowDocument {
  public:
    WindowDocument(QMainWindow* window, EditorDocument& text, DialogProvider& dialogs,
                   DocumentQuestions& questions, StatusPresenter& status);
    ~WindowDocument();
    DocumentSession& session() const { return *session_; }
    FileChangeBar* change_bar() const { return change_bar_; }
    FindBar* find_bar() const { return find_bar_; }

  private:
    // Last of the members that use the document.
    std::unique_ptr<DocumentSession> session_;
    FileChangeBar* change_bar_; // the window's child
    FindBar* find_bar_;         // the edit area's parent's child
};
