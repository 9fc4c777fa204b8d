#pragma once

#include "document/document_session.h"
#include "platform/asker.h"

class DialogProvider;
class Form1;

// Every modal question of the main window, as its real dialogs:
// - the tag commands' (Asker): input boxes ("input_box"), the option picker
//   (through the window's tmp_lst and str_ret), the colour dialog (through
//   sel_colore), message boxes without icon ("yes_no_box", "inform_box");
// - the document's (DocumentQuestions): message boxes named "unsaved_box",
//   "encoding_box" (its check box "declaration_check"), "replace_box",
//   "recovery_box", "overwrite_box", "reload_box", "interrupted_save_box",
//   "folder_missing_box", "file_error_box".
// The words of a failed file operation are chosen here (describe()).
class WindowQuestions : public Asker, public DocumentQuestions {
  public:
    explicit WindowQuestions(Form1* window) : window_(window) {}

    QString input(const QString& prompt, const QString& title,
                  const QString& default_text) override;
    QString pick(const QString& title, const QStringList& items) override;
    QString colour(const QString& prompt) override;
    // The colour dialog titled `title`: the colour as HTML text, or empty text.
    static QString colour_of(DialogProvider& dialogs, const QString& title);
    bool yes_no(const QString& question, const QString& title) override;
    void inform(const QString& text) override;

    Unsaved unsaved_changes() override;
    EncodingAnswer unencodable(const QString& characters, const QString& declared) override;
    bool replace(const QString& path) override;
    bool recover(const PendingRecovery& pending) override;
    bool overwrite_changed(const QString& path) override;
    bool reload_over_changes() override;
    void interrupted_save(const InterruptedSave& save) override;
    void folder_missing(const QString& folder) override;
    void failure(Task task, const QString& path, const FileError& error) override;

  private:
    Form1* window_;
};
