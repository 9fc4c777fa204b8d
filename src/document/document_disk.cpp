// A window's document and its file on disk: changes made by other programs
// told as soon as they are seen, never written over without a question, and
// the file read again on request as one undo step.

#include "document/disk_watch.h"
#include "document/document_session.h"
#include "document/file_io.h"
#include "document/file_name.h"
#include "document/recovery_keeper.h"

void DocumentSession::remember_file(const QString& path, const FileIdentity& identity,
                                    quint64 hash) {
    // Unwatched, the file is not known either: a save writes it unasked.
    if (!watch_)
        return;
    disk_.set(path, identity, hash);
    ignored_.reset();
    watch_->watch(path);
    tell_disk(DiskChange::None);
}

void DocumentSession::tell_disk(DiskChange change) {
    if (change == told_)
        return;
    told_ = change;
    emit disk_changed(change);
}

DiskChange DocumentSession::check_disk() {
    DiskChange change = disk_.check();
    if (ignored_ && disk_.seen() == *ignored_)
        change = DiskChange::None;
    tell_disk(change);
    return change;
}

void DocumentSession::ignore_disk_change() {
    disk_.check();
    ignored_ = disk_.seen();
    tell_disk(DiskChange::None);
}

bool DocumentSession::confirm_overwrite(const QString& path) {
    if (!disk_.knows_file())
        return true;
    // Only the document's own file (by any of its names): another file was
    // asked about when it was chosen.
    const FileIdentity target = identity_at(path);
    const FileIdentity own = identity_at(disk_.path());
    const bool own_file =
        absolute_path(path) == disk_.path() ||
        (target.exists && own.exists && target.device == own.device && target.inode == own.inode);
    if (!own_file || disk_.check() != DiskChange::Modified)
        return true;
    if (questions_.overwrite_changed(path))
        return true;
    // Kept on both sides: the notice stays up, with its way to read the file again.
    ignored_.reset();
    tell_disk(DiskChange::Modified);
    return false;
}

bool DocumentSession::reload() {
    if (!disk_.knows_file())
        return false;
    if (is_modified() && !questions_.reload_over_changes())
        return false;
    const QString path = disk_.path();
    const ReadResult read = read_whole_file(path);
    if (!read.ok() || looks_binary(read.bytes)) {
        questions_.failure(DocumentQuestions::Task::Reload, path,
                           read.ok() ? FileError::refusal(FileError::Step::NotText, path)
                                     : read.error);
        return false;
    }
    const DocumentForm form = inspect_document(read.bytes);
    buffer_.set_form({path, form.encoding, form.line_break});
    if (form.encoding == Encoding::Utf8 || form.encoding == Encoding::Utf8Bom)
        buffer_.reload(QByteArrayView(read.bytes).sliced(form.text_start));
    else
        buffer_.reload(decode_document(read.bytes).text.toUtf8());
    at_save_point(policy_.loaded_text_unsaved);
    remember_file(path, read.identity, ContentHash{read.bytes}.result());
    emit changed();
    emit message(QStringLiteral("Ricaricato %1").arg(shown_path(file_name_of(path))), 5000);
    return true;
}
