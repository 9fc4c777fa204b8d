#pragma once

#include "document/document_session.h"

#include <memory>

class FileChangeBar;
class QMainWindow;
class QWidget;
class EditorDocument;
class StatusPresenter;

// The document session's questions as message boxes of `parent`, each named
// for the tests: "unsaved_box", "encoding_box" (its check box
// "declaration_check"), "replace_box", "recovery_box", "overwrite_box",
// "reload_box", "interrupted_save_box", "folder_missing_box", "file_error_box".
class MessageBoxQuestions : public DocumentQuestions {
  public:
    explicit MessageBoxQuestions(QWidget* parent) : parent_(parent) {}

    Unsaved unsaved_changes() override;
    EncodingAnswer unencodable(const QString& characters, const QString& declared) override;
    bool replace(const QString& path) override;
    bool recover(const PendingRecovery& pending) override;
    bool overwrite_changed(const QString& path) override;
    bool reload_over_changes() override;
    void interrupted_save(const InterruptedSave& save) override;
    void folder_missing(const QString& folder) override;
    void failure(const QString& what, const QString& path, const QString& reason) override;

  private:
    QWidget* parent_;
};

// The main window's document: the session on the window's edited document, asking
// with message boxes; the window title and the status bar's messages kept up
// to date; the keys Ctrl+S (save to the document's own file) and Ctrl+Shift+S
// (the save dialog, as the toolbar's save button); the notice of a file
// changed on disk above the edit area, and F6 to reach it; the status bar's
// labels of the caret's place and the file form, and the writing help (its
// count in the status bar, F8 and Shift+F8 on the window).
//
// Ownership: owned by the window, which outlives it, as do the edited
// document and the status presenter; its two actions are the window's Qt children and act on the
// session only while it lives.
class WindowDocument {
  public:
    WindowDocument(QMainWindow* window, EditorDocument& text, DialogProvider& dialogs,
                   StatusPresenter& status);
    ~WindowDocument();
    DocumentSession& session() const { return *session_; }
    FileChangeBar* change_bar() const { return change_bar_; }

  private:
    MessageBoxQuestions questions_;
    // Last: gone before the questions it uses.
    std::unique_ptr<DocumentSession> session_;
    FileChangeBar* change_bar_; // the window's child
};
