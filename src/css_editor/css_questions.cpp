#include "css_editor/css_questions.h"

#include "dialogs/file_error_text.h"
#include "dialogs/message_box.h"

CssQuestions::CssQuestions(QWidget* window) : window_(window) {}

QMessageBox::StandardButton CssQuestions::show(QMessageBox::Icon icon, const QString& title,
                                               const QString& text,
                                               QMessageBox::StandardButtons buttons,
                                               QMessageBox::StandardButton default_button) {
    if (message_box_)
        return message_box_(icon, title, text, buttons);
    return ask_message(window_, QStringLiteral("css_message_box"), icon, title, text, buttons,
                       default_button);
}

DocumentQuestions::Unsaved CssQuestions::unsaved_changes() {
    switch (show(QMessageBox::NoIcon, QStringLiteral("File non salvato"),
                 QStringLiteral("Il file corrente non è stato salvato. Salvare?"),
                 QMessageBox::Yes | QMessageBox::No)) {
    case QMessageBox::Yes:
        return Unsaved::Save;
    case QMessageBox::No:
        return Unsaved::Discard;
    default:
        return Unsaved::Cancel;
    }
}

bool CssQuestions::save_as_utf8(Encoding encoding, const QString& characters) {
    return show(QMessageBox::Question, QStringLiteral("Caratteri non salvabili"),
                QStringLiteral("Il foglio di stile è in codifica %1, che non può contenere questi "
                               "caratteri: %2\n\nSalvarlo in UTF-8?")
                    .arg(encoding_name(encoding), characters),
                QMessageBox::Yes | QMessageBox::Cancel) == QMessageBox::Yes;
}

bool CssQuestions::replace(const QString& path) {
    return show(QMessageBox::Warning, QStringLiteral("CSS Editor"),
                QStringLiteral("Il file \"%1\" esiste già.\nSostituirlo?").arg(path),
                QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

DocumentQuestions::EncodingAnswer CssQuestions::unencodable(const QString& characters,
                                                            const QString&) {
    // The session asks only for a stylesheet in Windows-1252.
    return {save_as_utf8(Encoding::Windows1252, characters) ? Unencodable::Utf8
                                                            : Unencodable::Cancel};
}

void CssQuestions::failure(Task task, const QString& path, const FileError& error) {
    if (task == Task::Save)
        save_failed(path, error);
    else
        open_failed(path, error);
}

void CssQuestions::open_failed(const QString& path, const FileError& error) {
    show(
        QMessageBox::Warning, QStringLiteral("Apertura non riuscita"),
        error.step == FileError::Step::NotText
            ? QStringLiteral("Il file \"%1\" non è stato aperto: non è un file di testo.").arg(path)
            : QStringLiteral("Il file \"%1\" non è stato aperto.\n%2").arg(path, describe(error)),
        QMessageBox::Ok);
}

void CssQuestions::save_failed(const QString& path, const FileError& error) {
    show(QMessageBox::Warning, QStringLiteral("Salvataggio non riuscito"),
         QStringLiteral("Il file \"%1\" non è stato salvato.\n%2").arg(path, describe(error)),
         QMessageBox::Ok);
}
