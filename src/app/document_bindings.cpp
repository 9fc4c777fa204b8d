#include "app/document_bindings.h"

#include "app/file_change_bar.h"
#include "app/status_labels.h"
#include "app/status_presenter.h"
#include "document/file_name.h"
#include "document/recovery_keeper.h"
#include "document/save_journal.h"
#include "editor/editor_document.h"
#include "editor/scintilla_edit_area.h"
#include "writing_help/writing_help.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLocale>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <Qsci/qsciscintilla.h>

namespace {

int ask(QWidget* parent, const char* name, QMessageBox::Icon icon, const QString& text,
        QMessageBox::StandardButtons buttons, QMessageBox::StandardButton default_button) {
    QMessageBox box(icon, QStringLiteral("Marklet"), text, buttons, parent);
    box.setObjectName(QLatin1String(name));
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(default_button);
    return box.exec();
}

} // namespace

DocumentQuestions::Unsaved MessageBoxQuestions::unsaved_changes() {
    switch (
        ask(parent_, "unsaved_box", QMessageBox::Question, QStringLiteral("Salvare le modifiche?"),
            QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save)) {
    case QMessageBox::Save:
        return Unsaved::Save;
    case QMessageBox::Discard:
        return Unsaved::Discard;
    default:
        return Unsaved::Cancel;
    }
}

DocumentQuestions::EncodingAnswer MessageBoxQuestions::unencodable(const QString& characters,
                                                                   const QString& declared) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Marklet"),
                    QStringLiteral("Il documento contiene caratteri che la codifica "
                                   "Windows-1252 non può contenere: %1\n"
                                   "Come salvarli?")
                        .arg(characters.left(40)),
                    QMessageBox::Cancel, parent_);
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
    box.exec();
    const bool update = box.checkBox() && box.checkBox()->isChecked();
    if (box.clickedButton() == references)
        return {Unencodable::References};
    if (box.clickedButton() == utf8)
        return {Unencodable::Utf8, update};
    return {Unencodable::Cancel};
}

bool MessageBoxQuestions::replace(const QString& path) {
    return ask(parent_, "replace_box", QMessageBox::Warning,
               QStringLiteral("Il file \"%1\" esiste già.\nSostituirlo?").arg(shown_path(path)),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

bool MessageBoxQuestions::recover(const PendingRecovery& pending) {
    const QString of = pending.document_path.isEmpty()
                           ? QStringLiteral("un documento senza nome")
                           : QStringLiteral("\"%1\"").arg(shown_path(pending.document_path));
    const QString when = QLocale(QLocale::Italian).toString(pending.saved_at, QLocale::ShortFormat);
    return ask(parent_, "recovery_box", QMessageBox::Question,
               QStringLiteral("Marklet si è chiuso senza salvare %1 (copia del %2).\n"
                              "Recuperare il testo?")
                   .arg(of, when),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
}

bool MessageBoxQuestions::overwrite_changed(const QString& path) {
    return ask(parent_, "overwrite_box", QMessageBox::Warning,
               QStringLiteral("Il file \"%1\" è stato modificato da un altro programma dopo "
                              "l'ultima lettura o scrittura di Marklet.\n"
                              "Sovrascriverlo con il testo di questa finestra? Le modifiche "
                              "dell'altro programma andrebbero perse.")
                   .arg(shown_path(path)),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

bool MessageBoxQuestions::reload_over_changes() {
    return ask(parent_, "reload_box", QMessageBox::Question,
               QStringLiteral("Il documento ha modifiche non salvate.\n"
                              "Ricaricare comunque il file dal disco? "
                              "Con Annulla (Ctrl+Z) si torna al testo di prima."),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void MessageBoxQuestions::interrupted_save(const InterruptedSave& save) {
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
        text += QStringLiteral("Il file non si è potuto completare: %1").arg(save.reason);
        break;
    }
    if (!save.new_copy.isEmpty())
        text += QStringLiteral("\nIl testo salvato è conservato in \"%1\".")
                    .arg(shown_path(save.new_copy));
    if (!save.old_copy.isEmpty())
        text += QStringLiteral("\nIl contenuto precedente è conservato in \"%1\".")
                    .arg(shown_path(save.old_copy));
    const bool whole = save.outcome == Outcome::Finished || save.outcome == Outcome::RolledBack;
    ask(parent_, "interrupted_save_box", whole ? QMessageBox::Information : QMessageBox::Warning,
        text, QMessageBox::Ok, QMessageBox::Ok);
}

void MessageBoxQuestions::folder_missing(const QString& folder) {
    ask(parent_, "folder_missing_box", QMessageBox::Warning,
        QStringLiteral("La cartella \"%1\" non esiste più.\n"
                       "Scegliere dove salvare il documento.")
            .arg(shown_path(folder)),
        QMessageBox::Ok, QMessageBox::Ok);
}

void MessageBoxQuestions::failure(const QString& what, const QString& path, const QString& reason) {
    ask(parent_, "file_error_box", QMessageBox::Warning,
        QStringLiteral("%1 \"%2\".\n%3").arg(what, shown_path(path), reason), QMessageBox::Ok,
        QMessageBox::Ok);
}

WindowDocument::WindowDocument(QMainWindow* window, EditorDocument& text, DialogProvider& dialogs,
                               StatusPresenter& status)
    : questions_(window), session_(std::make_unique<DocumentSession>(text, dialogs, questions_)) {
    DocumentSession* session = session_.get();
    // The recovery copy reads the text once per change, at its notice.
    QObject::connect(&text, &EditorDocument::changed, session, &DocumentSession::text_changed);
    QObject::connect(text.edit_area().widget(), &QsciScintilla::modificationChanged, session,
                     &DocumentSession::modification_changed);
    QObject::connect(session, &DocumentSession::changed, window,
                     [window, session] { window->setWindowTitle(session->title()); });
    // A message without a timeout stands until the document's next one.
    const QString standing = QStringLiteral("document");
    QObject::connect(session, &DocumentSession::message, &status,
                     [&status, standing](const QString& text, int timeout) {
                         status.mended(standing);
                         if (timeout > 0)
                             status.notice(text, timeout);
                         else
                             status.failure(standing, text);
                     });
    const QString recovery = QStringLiteral("recovery");
    QObject::connect(session->recovery(), &RecoveryKeeper::failed, &status,
                     [&status, recovery](const QString& reason) {
                         status.failure(
                             recovery,
                             QStringLiteral("Copia di recupero non scritta: %1").arg(reason));
                     });
    QObject::connect(session->recovery(), &RecoveryKeeper::written, &status,
                     [&status, recovery] { status.mended(recovery); });
    for (const auto& [name, keys, save] :
         {std::tuple{"save_action", QKeySequence(Qt::CTRL | Qt::Key_S), &DocumentSession::save},
          std::tuple{"save_as_action", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
                     &DocumentSession::save_as}}) {
        auto* action = new QAction(window);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(keys);
        QObject::connect(action, &QAction::triggered, session,
                         [session, save] { (session->*save)(); });
        window->addAction(action);
    }
    // Changes made on disk by others: told above the edit area.
    change_bar_ = new FileChangeBar(text.edit_area().widget());
    QObject::connect(session, &DocumentSession::disk_changed, change_bar_,
                     &FileChangeBar::show_change);
    QObject::connect(change_bar_, &FileChangeBar::reload_asked, session, &DocumentSession::reload);
    QObject::connect(change_bar_, &FileChangeBar::save_asked, session, &DocumentSession::save);
    QObject::connect(change_bar_, &FileChangeBar::ignore_asked, session,
                     &DocumentSession::ignore_disk_change);
    auto* reach = new QAction(window);
    reach->setObjectName(QStringLiteral("file_change_focus_action"));
    // Its key (F6) comes from the window's table of keys.
    QObject::connect(reach, &QAction::triggered, change_bar_, &FileChangeBar::take_focus);
    window->addAction(reach);
    window->setWindowTitle(session->title());

    // The status bar's parts that read the document: the caret's place and
    // the file form, then the page checker's count.
    new StatusLabels(window->statusBar(), text.edit_area(), *session);
    // Completion, end tags and the page checker with its count and F8.
    auto* help = new WritingHelp(text, window);
    QObject::connect(session, &DocumentSession::changed, help, &WritingHelp::file_changed);
    window->statusBar()->addPermanentWidget(help->status_label());
    keep_whole(help->status_label(), QStringLiteral("9 errori, 99 avvisi"));
    window->addActions(help->actions());
}

WindowDocument::~WindowDocument() = default;
