// The main window's modal questions, in one place: those of the tag
// commands and those of the document.

#include "app/window_questions.h"

#include "app/form1.h"
#include "dialogs/colour_text.h"
#include "dialogs/file_error_text.h"
#include "dialogs/message_box.h"
#include "dialogs/select_opt.h"
#include "document/file_name.h"
#include "document/recovery_file.h"
#include "document/save_journal.h"
#include "platform/dialog_provider.h"

#include <QCheckBox>
#include <QInputDialog>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

QString WindowQuestions::input(const QString& prompt, const QString& title,
                               const QString& default_text) {
    QInputDialog box(window_);
    box.setObjectName(QStringLiteral("input_box"));
    box.setInputMode(QInputDialog::TextInput);
    box.setWindowTitle(title);
    // The prompt is shown as plain text: it may hold the user's own answers
    // (a term "R&D" or "<b>x</b>"). The label names the text field as its
    // buddy, which would take a single "&" for an access key.
    box.setLabelText(QString(prompt).replace(u'&', QStringLiteral("&&")));
    if (auto* label = box.findChild<QLabel*>())
        label->setTextFormat(Qt::PlainText);
    box.setTextValue(default_text);
    if (box.exec() != QDialog::Accepted)
        return {};
    return box.textValue();
}

QString WindowQuestions::pick(const QString& title, const QStringList& items) {
    window_->svuota();
    window_->tmp_lst.append(items);
    select_opt picker(window_->tmp_lst, window_);
    picker.setWindowTitle(title);
    picker.exec();
    window_->str_ret = picker.answer();
    return window_->str_ret;
}

QString WindowQuestions::colour_of(DialogProvider& dialogs, const QString& title) {
    const auto colour = dialogs.colour(title);
    return colour ? colour_text(*colour) : QString();
}

QString WindowQuestions::colour(const QString& prompt) {
    return window_->sel_colore(prompt);
}

bool WindowQuestions::yes_no(const QString& question, const QString& title) {
    return ask_message(window_, QStringLiteral("yes_no_box"), QMessageBox::NoIcon, title, question,
                       QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

void WindowQuestions::inform(const QString& text) {
    ask_message(window_, QStringLiteral("inform_box"), QMessageBox::NoIcon,
                QStringLiteral("Marklet"), text, QMessageBox::Ok, QMessageBox::Ok);
}

namespace {

QMessageBox::StandardButton ask(QWidget* parent, const char* name, QMessageBox::Icon icon,
                                const QString& text, QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton default_button) {
    return ask_message(parent, QLatin1String(name), icon, QStringLiteral("Marklet"), text, buttons,
                       default_button);
}

} // namespace

DocumentQuestions::Unsaved WindowQuestions::unsaved_changes() {
    switch (
        ask(window_, "unsaved_box", QMessageBox::Question, QStringLiteral("Salvare le modifiche?"),
            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save)) {
    case QMessageBox::Save:
        return Unsaved::Save;
    case QMessageBox::Discard:
        return Unsaved::Discard;
    default:
        return Unsaved::Cancel;
    }
}

DocumentQuestions::EncodingAnswer WindowQuestions::unencodable(const QString& characters,
                                                               const QString& declared) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Marklet"),
                    QStringLiteral("Il documento contiene caratteri che la codifica "
                                   "Windows-1252 non può contenere: %1\n"
                                   "Come salvarli?")
                        .arg(characters.left(40)),
                    QMessageBox::Cancel, window_);
    box.setObjectName(QStringLiteral("encoding_box"));
    QPushButton* references = box.addButton(QStringLiteral("Come riferimenti numerici (&&#8800;)"),
                                            QMessageBox::AcceptRole);
    references->setObjectName(QStringLiteral("references_button"));
    QPushButton* utf8 = box.addButton(QStringLiteral("Salva come UTF-8"), QMessageBox::AcceptRole);
    utf8->setObjectName(QStringLiteral("utf8_button"));
    if (!declared.isEmpty()) {
        // Saved in UTF-8 under a declaration of another encoding, the page
        // shows garbled in a browser: updated unless the user keeps it.
        auto* update = new QCheckBox(
            QStringLiteral("Salvando come UTF-8, aggiorna la dichiarazione della codifica "
                           "nella pagina (\"%1\" diventa \"utf-8\")")
                .arg(declared.left(40)),
            &box);
        update->setObjectName(QStringLiteral("declaration_check"));
        update->setChecked(true);
        box.setCheckBox(update);
    }
    box.setDefaultButton(references);
    give_access_keys(box);
    box.exec();
    const bool update = box.checkBox() && box.checkBox()->isChecked();
    if (box.clickedButton() == references)
        return {Unencodable::References};
    if (box.clickedButton() == utf8)
        return {Unencodable::Utf8, update};
    return {Unencodable::Cancel};
}

bool WindowQuestions::replace(const QString& path) {
    return ask(window_, "replace_box", QMessageBox::Warning,
               QStringLiteral("Il file \"%1\" esiste già.\nSostituirlo?").arg(shown_path(path)),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

bool WindowQuestions::recover(const PendingRecovery& pending) {
    const QString of = pending.document_path.isEmpty()
                           ? QStringLiteral("un documento senza nome")
                           : QStringLiteral("\"%1\"").arg(shown_path(pending.document_path));
    const QString when = QLocale(QLocale::Italian).toString(pending.saved_at, QLocale::ShortFormat);
    return ask(window_, "recovery_box", QMessageBox::Question,
               QStringLiteral("Marklet si è chiuso senza salvare %1 (copia del %2).\n"
                              "Recuperare il testo?")
                   .arg(of, when),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

bool WindowQuestions::overwrite_changed(const QString& path) {
    return ask(window_, "overwrite_box", QMessageBox::Warning,
               QStringLiteral("Il file \"%1\" è stato modificato da un altro programma dopo "
                              "l'ultima lettura o scrittura di Marklet.\n"
                              "Sovrascriverlo con il testo di questa finestra? Le modifiche "
                              "dell'altro programma andrebbero perse.")
                   .arg(shown_path(path)),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

bool WindowQuestions::reload_over_changes() {
    return ask(window_, "reload_box", QMessageBox::Question,
               QStringLiteral("Il documento ha modifiche non salvate.\n"
                              "Ricaricare comunque il file dal disco? "
                              "Con Annulla (Ctrl+Z) si torna al testo di prima."),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void WindowQuestions::interrupted_save(const InterruptedSave& save) {
    using Outcome = InterruptedSave::Outcome;
    QString text =
        QStringLiteral("Marklet si è chiuso mentre salvava \"%1\".\n").arg(shown_path(save.target));
    switch (save.outcome) {
    case Outcome::Finished:
        text += QStringLiteral("Il file è stato completato con il testo salvato, ripristinato "
                               "dalla copia \"%1\" (ora rimossa).")
                    .arg(shown_path(save.restored_from));
        break;
    case Outcome::RolledBack:
        text += QStringLiteral("Il file è stato riportato al contenuto di prima del salvataggio, "
                               "ripristinato dalla copia \"%1\" (ora rimossa).")
                    .arg(shown_path(save.restored_from));
        break;
    case Outcome::ChangedSince:
        text += QStringLiteral("Il file è stato cambiato da allora: non è stato toccato.");
        break;
    case Outcome::WriteFailed:
        text += QStringLiteral("Il file non si è potuto completare: %1").arg(describe(save.error));
        break;
    }
    if (!save.new_copy.isEmpty())
        text += QStringLiteral("\nIl testo salvato è conservato in \"%1\".")
                    .arg(shown_path(save.new_copy));
    if (!save.old_copy.isEmpty())
        text += QStringLiteral("\nIl contenuto precedente è conservato in \"%1\".")
                    .arg(shown_path(save.old_copy));
    const bool whole = save.outcome == Outcome::Finished || save.outcome == Outcome::RolledBack;
    ask(window_, "interrupted_save_box", whole ? QMessageBox::Information : QMessageBox::Warning,
        text, QMessageBox::Ok, QMessageBox::Ok);
}

void WindowQuestions::folder_missing(const QString& folder) {
    ask(window_, "folder_missing_box", QMessageBox::Warning,
        QStringLiteral("La cartella \"%1\" non esiste più.\n"
                       "Scegliere dove salvare il documento.")
            .arg(shown_path(folder)),
        QMessageBox::Ok, QMessageBox::Ok);
}

void WindowQuestions::failure(Task task, const QString& path, const FileError& error) {
    QString what;
    switch (task) {
    case Task::Open:
        what = QStringLiteral("Impossibile aprire il file");
        break;
    case Task::Reload:
        what = QStringLiteral("Impossibile rileggere il file");
        break;
    case Task::Save:
        what = QStringLiteral("Impossibile salvare il file");
        break;
    case Task::Recover:
        what = QStringLiteral("Impossibile recuperare il testo da");
        break;
    }
    ask(window_, "file_error_box", QMessageBox::Warning,
        QStringLiteral("%1 \"%2\".\n%3").arg(what, shown_path(path), describe(error)),
        QMessageBox::Ok, QMessageBox::Ok);
}
