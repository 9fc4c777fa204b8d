#pragma once

#include "document/document_codec.h"
#include "document/file_error.h"

#include <QMessageBox>
#include <functional>

// Every modal question and failure the CSS editor window tells, as message
// boxes of the window named "css_message_box" (Yes the default button where
// there is one). Tests put their own box in place of the real one.
class CssQuestions {
  public:
    // Shows a modal message box and returns the button pressed.
    using MessageBoxFn = std::function<QMessageBox::StandardButton(
        QMessageBox::Icon icon, const QString& title, const QString& text,
        QMessageBox::StandardButtons buttons)>;

    explicit CssQuestions(QWidget* window);

    void set_message_box(MessageBoxFn message_box) { message_box_ = std::move(message_box); }

    enum class Unsaved { Save, Discard, Cancel };
    // "Il file corrente non è stato salvato. Salvare?"
    Unsaved unsaved_changes();
    // The stylesheet's `encoding` cannot hold `characters`: true to save in UTF-8.
    bool save_as_utf8(Encoding encoding, const QString& characters);
    // Opening `path` failed: `error`, or (no error) it is not a text.
    void open_failed(const QString& path, const FileError& error);
    void save_failed(const QString& path, const FileError& error);

  private:
    QMessageBox::StandardButton show(QMessageBox::Icon icon, const QString& title,
                                     const QString& text, QMessageBox::StandardButtons buttons);

    QWidget* window_;
    MessageBoxFn message_box_;
};
