#pragma once

#include "document/document_codec.h"
#include "document/document_session.h"
#include "document/file_error.h"

#include <QMessageBox>
#include <functional>

// Every modal question and failure the CSS editor window tells, as message
// boxes of the window named "css_message_box" (Yes the default button where
// there is one); they are also what the stylesheet's session asks. Of the
// session's questions the window asks about unsaved changes, characters the
// encoding lacks and another file written over (its own file is saved
// without a question); it keeps no recovery copy and no watch on the file.
// Tests put their own box in place of the real one.
class CssQuestions : public DocumentQuestions {
  public:
    // Shows a modal message box and returns the button pressed.
    using MessageBoxFn = std::function<QMessageBox::StandardButton(
        QMessageBox::Icon icon, const QString& title, const QString& text,
        QMessageBox::StandardButtons buttons)>;

    explicit CssQuestions(QWidget* window);

    void set_message_box(MessageBoxFn message_box) { message_box_ = std::move(message_box); }

    // "Il file corrente non è stato salvato. Salvare?"
    Unsaved unsaved_changes() override;
    // The stylesheet's `encoding` cannot hold `characters`: true to save in UTF-8.
    bool save_as_utf8(Encoding encoding, const QString& characters);
    // Opening `path` failed: `error`, or (no error) it is not a text.
    void open_failed(const QString& path, const FileError& error);
    void save_failed(const QString& path, const FileError& error);

    // The session's questions: only UTF-8 is offered for characters the
    // encoding lacks (CSS has no character references).
    EncodingAnswer unencodable(const QString& characters, const QString& declared) override;
    // "Il file "…" esiste già. Sostituirlo?", No the default button.
    bool replace(const QString& path) override;
    bool recover(const PendingRecovery&) override { return false; }
    bool overwrite_changed(const QString&) override { return true; }
    bool reload_over_changes() override { return false; }
    void interrupted_save(const InterruptedSave&) override {}
    // The save dialog starts in the nearest folder that is left.
    void folder_missing(const QString&) override {}
    void failure(Task task, const QString& path, const FileError& error) override;

  private:
    // Yes is the default button where there is one, unless `default_button` says.
    QMessageBox::StandardButton show(QMessageBox::Icon icon, const QString& title,
                                     const QString& text, QMessageBox::StandardButtons buttons,
                                     QMessageBox::StandardButton default_button = QMessageBox::Yes);

    QWidget* window_;
    MessageBoxFn message_box_;
};
