#pragma once

#include "document/document_session.h"

#include <memory>

class FileChangeBar;
class QMainWindow;
class QWidget;
class ScintillaEditArea;
class StatusPresenter;

// The main window's edit area as the document session's buffer. Very large
// documents are shown plain (see kHighlightLimit).
class EditorBuffer : public DocumentBuffer {
  public:
    explicit EditorBuffer(ScintillaEditArea& edit) : edit_(edit) {}

    void load(QByteArrayView utf8, qsizetype file_size) override;
    void reload(QByteArrayView utf8) override;
    std::array<QByteArrayView, 2> utf8_parts() const override;
    QString text() const override;
    bool is_modified() const override;
    void set_save_point() override;
    void set_line_break(LineBreak line_break) override;
    void replace(qsizetype from, qsizetype to, QByteArrayView utf8) override;

  private:
    ScintillaEditArea& edit_;
};

// The main window's document: the session on the window's edit area, asking
// through the window's questions; the window title and the status bar's messages kept up
// to date; the keys Ctrl+S (save to the document's own file) and Ctrl+Shift+S
// (the save dialog, as the toolbar's save button); the notice of a file
// changed on disk above the edit area, and F6 to reach it.
//
// Ownership: owned by the window, which outlives it, as does the status
// presenter and the questions; its two actions are the window's Qt children and act on the
// session only while it lives.
class WindowDocument {
  public:
    WindowDocument(QMainWindow* window, ScintillaEditArea& edit, DialogProvider& dialogs,
                   DocumentQuestions& questions, StatusPresenter& status);
    ~WindowDocument();
    DocumentSession& session() const { return *session_; }
    FileChangeBar* change_bar() const { return change_bar_; }

  private:
    EditorBuffer buffer_;
    // Last: gone before the buffer it uses.
    std::unique_ptr<DocumentSession> session_;
    FileChangeBar* change_bar_; // the window's child
};
