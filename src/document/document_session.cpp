// Opening and saving a window's document. Files are read and written byte
// for byte: what was read comes back unchanged when saved without edits.

#include "document/document_session.h"

#include "document/charset_declaration.h"
#include "document/disk_watch.h"
#include "document/file_io.h"
#include "document/file_name.h"
#include "document/recovery_keeper.h"
#include "document/temp_files.h"
#include "platform/dialog_provider.h"

#include <chrono>
#include <sys/stat.h>

namespace {

bool is_utf8(Encoding encoding) {
    return encoding == Encoding::Utf8 || encoding == Encoding::Utf8Bom;
}

// The deepest folder of `folder` that still exists.
QString nearest_existing(QString folder) {
    while (!is_folder(folder) && folder != u"/")
        folder = folder_of(folder);
    return folder;
}

} // namespace

DocumentSession::DocumentSession(DocumentBuffer& buffer, DialogProvider& dialogs,
                                 DocumentQuestions& questions, const SessionPolicy& policy,
                                 QObject* parent)
    : QObject(parent), buffer_(buffer), dialogs_(dialogs), questions_(questions), policy_(policy) {
    if (policy_.keeps_recovery_copy)
        recovery_ = new RecoveryKeeper(std::chrono::seconds(2), std::chrono::seconds(20), this);
    if (policy_.watches_disk) {
        watch_ = new DiskWatch(this);
        connect(watch_, &DiskWatch::touched, this, &DocumentSession::check_disk);
    }
}

DocumentSession::~DocumentSession() = default;

bool DocumentSession::is_modified() const {
    return recovered_ || held_unsaved_ || buffer_.is_modified();
}

QString DocumentSession::title() const {
    if (path().isEmpty() && !is_modified())
        return QStringLiteral("Marklet");
    const QString name =
        path().isEmpty() ? QStringLiteral("Senza nome") : shown_path(file_name_of(path()));
    return name + (is_modified() ? QStringLiteral(" *") : QString()) + QStringLiteral(" - Marklet");
}

bool DocumentSession::settle_unsaved_changes() {
    if (!is_modified())
        return true;
    switch (questions_.unsaved_changes()) {
    case DocumentQuestions::Unsaved::Save:
        return save();
    case DocumentQuestions::Unsaved::Discard:
        return true;
    case DocumentQuestions::Unsaved::Cancel:
        break;
    }
    return false;
}

bool DocumentSession::open() {
    if (!settle_unsaved_changes())
        return false;
    const auto path = dialogs_.open_file();
    return path && load(*path);
}

bool DocumentSession::new_document() {
    if (!settle_unsaved_changes())
        return false;
    buffer_.set_form({});
    buffer_.load({}, 0);
    at_save_point(false);
    emit changed();
    return true;
}

bool DocumentSession::open_path(const QString& path) {
    const QString absolute = absolute_path(path);
    if (!load(absolute))
        return false;
    dialogs_.set_remembered_path(absolute);
    return true;
}

bool DocumentSession::load(const QString& path) {
    const ReadResult read = read_whole_file(path);
    const auto task = DocumentQuestions::Task::Open;
    if (!read.ok()) {
        questions_.failure(task, path, read.error);
        return false;
    }
    if (looks_binary(read.bytes)) {
        questions_.failure(task, path, FileError::refusal(FileError::Step::NotText, path));
        return false;
    }
    const DocumentForm form = inspect_document(read.bytes);
    buffer_.set_form({path, form.encoding, form.line_break});
    // UTF-8 goes to the edit area as it is: no round trip through UTF-16.
    if (is_utf8(encoding()))
        buffer_.load(QByteArrayView(read.bytes).sliced(form.text_start), read.bytes.size());
    else
        buffer_.load(decode_document(read.bytes).text.toUtf8(), read.bytes.size());
    // Whatever was recovered has been saved or given up by now.
    at_save_point(policy_.loaded_text_unsaved);
    remember_file(path, read.identity, ContentHash{read.bytes}.result());
    emit changed();
    emit message(QStringLiteral("Aperto %1 (%2, %3)")
                     .arg(shown_path(file_name_of(path)), encoding_name(encoding()),
                          line_break_name(line_break())),
                 5000);
    return true;
}

bool DocumentSession::save() {
    // A recovered text is saved where the user confirms: its file may have
    // changed since, or be gone with its folder.
    if (policy_.save_asks_name || path().isEmpty() || recovered_ || !is_folder(folder_of(path())))
        return save_as();
    return write_to(path());
}

bool DocumentSession::save_as() {
    const QString folder = folder_of(path());
    if (!path().isEmpty() && !is_folder(folder)) {
        // Not silently somewhere else: the dialog starts as near as it can.
        questions_.folder_missing(folder);
        dialogs_.set_remembered_path(nearest_existing(folder) + u'/' + file_name_of(path()));
    }
    for (;;) {
        const auto chosen = dialogs_.save_file();
        if (!chosen)
            return false;
        if (!is_other_file(*chosen) || questions_.replace(*chosen))
            return write_to(*chosen);
    }
}

bool DocumentSession::is_other_file(const QString& chosen) const {
    struct stat target, document;
    // Folders and devices are refused by the write itself.
    if (::stat(native_path(chosen).constData(), &target) != 0 || !S_ISREG(target.st_mode))
        return false;
    if (path().isEmpty() || ::stat(native_path(path()).constData(), &document) != 0)
        return true;
    // Another name of the same file (a link) is the document's own file.
    return target.st_dev != document.st_dev || target.st_ino != document.st_ino;
}

bool DocumentSession::write_to(const QString& path) {
    if (!confirm_overwrite(path))
        return false;
    Encoding encoding = this->encoding();
    QByteArray encoded;
    if (encoding == Encoding::Windows1252) {
        const QString text = buffer_.text();
        const QString missing = unencodable_characters(text, encoding);
        if (missing.isEmpty()) {
            encoded = encode_document(text, encoding);
        } else {
            // A page going to UTF-8 that says it is in another encoding would
            // be read in that one.
            const QByteArray utf8 = text.toUtf8();
            const CharsetDeclaration declared = find_charset_declaration(utf8);
            const bool other = declared.found() && declared.charset != Charset::Utf8;
            const DocumentQuestions::EncodingAnswer answer = questions_.unencodable(
                missing, other ? QString::fromUtf8(declared.label) : QString());
            switch (answer.choice) {
            case DocumentQuestions::Unencodable::References:
                encoded = encode_document(text, encoding, Unencodable::References);
                break;
            case DocumentQuestions::Unencodable::Utf8:
                encoding = policy_.utf8_choice;
                if (other && answer.update_declaration)
                    buffer_.replace(declared.start, declared.start + declared.length, "utf-8");
                break;
            case DocumentQuestions::Unencodable::Cancel:
                return false;
            }
        }
    } else if (!is_utf8(encoding)) {
        encoded = encode_document(buffer_.text(), encoding);
    }
    FileError error;
    FileIdentity written;
    quint64 hash = 0;
    if (is_utf8(encoding)) {
        // The edit area holds the text as UTF-8 already: written where it lies.
        const auto [first, second] = buffer_.utf8_parts();
        const QByteArrayView mark =
            encoding == Encoding::Utf8Bom ? QByteArrayView("\xEF\xBB\xBF", 3) : QByteArrayView();
        error = save_user_file(path, {mark, first, second}, &written);
        hash = ContentHash{mark, first, second}.result();
    } else {
        error = save_user_file(path, {encoded}, &written);
        hash = ContentHash{encoded}.result();
    }
    if (error.failed()) {
        questions_.failure(DocumentQuestions::Task::Save, path, error);
        return false;
    }
    buffer_.set_form({absolute_path(path), encoding, line_break()});
    dialogs_.set_remembered_path(this->path());
    at_save_point(false);
    remember_file(this->path(), written, hash);
    emit changed();
    emit message(QStringLiteral("Salvato %1").arg(shown_path(this->path())), 5000);
    return true;
}
