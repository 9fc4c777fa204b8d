// A window's document and its recovery copy: kept while the text is unsaved,
// offered at the next start after a crash, and unsaved work again once taken.

#include "document/disk_watch.h"
#include "document/document_session.h"
#include "document/file_name.h"
#include "document/recovery_keeper.h"
#include "document/save_journal.h"
#include "platform/dialog_provider.h"

void DocumentSession::at_save_point(bool held_unsaved) {
    recovered_ = false;
    held_unsaved_ = held_unsaved;
    buffer_.set_save_point();
    clear_recovery();
}

void DocumentSession::clear_recovery() {
    if (recovery_)
        recovery_->clear();
}

void DocumentSession::text_changed() {
    if (recovery_ && is_modified())
        recovery_->schedule(
            [this] {
                const auto [first, second] = buffer_.utf8_parts();
                return first.toByteArray().append(second);
            },
            {path(), encoding(), line_break()});
}

void DocumentSession::modification_changed() {
    // Back at the saved text (saved, loaded, or undone to it): nothing to recover.
    if (!is_modified())
        clear_recovery();
    emit changed();
}

void DocumentSession::close() {
    // Saved, or given up by the user.
    at_save_point(false);
    if (watch_)
        watch_->watch(QString());
    emit changed();
}

void DocumentSession::mark_unsaved() {
    held_unsaved_ = true;
    emit changed();
}

bool DocumentSession::offer_recovery() {
    if (!recovery_)
        return false;
    const auto pending = pending_recovery();
    if (!pending)
        return false;
    if (!questions_.recover(*pending)) {
        const FileError error = discard_recovery(*pending);
        if (error.failed())
            emit discard_failed(error);
        return false;
    }
    FileError error;
    const auto record = recovery_->restore(*pending, &error);
    if (!record) {
        questions_.failure(DocumentQuestions::Task::Recover, pending->file, error);
        return false;
    }
    buffer_.set_form({record->document_path, record->encoding, record->line_break});
    // In no file yet: unsaved, and kept for recovery, until saved or given up.
    recovered_ = true;
    held_unsaved_ = false;
    disk_.forget();
    if (watch_)
        watch_->watch(QString());
    tell_disk(DiskChange::None);
    const QByteArray utf8 = record->text.toUtf8();
    buffer_.load(utf8, utf8.size());
    // Saving offers the file the text came from.
    dialogs_.set_remembered_path(path());
    emit changed();
    return true;
}

void DocumentSession::start(const QString& path) {
    // First of all: a file a killed save left half written is made whole
    // before anything opens it.
    for (const InterruptedSave& save : settle_interrupted_saves())
        questions_.interrupted_save(save);
    const bool recovered = offer_recovery();
    if (path.isEmpty())
        return;
    if (!recovered) {
        open_path(path);
        return;
    }
    const QString absolute = absolute_path(path);
    // The name first: the status bar may show no more than its start.
    if (absolute != this->path())
        emit message(QStringLiteral("%1 non è stato aperto: c'è il testo recuperato. "
                                    "Aprirlo con \"Apri un file\" (%2).")
                         .arg(shown_path(file_name_of(absolute)), shown_path(absolute)),
                     0);
}
