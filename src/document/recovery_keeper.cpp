#include "document/recovery_keeper.h"

#include "document/file_io.h"
#include "document/file_name.h"

#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

RecoveryKeeper::RecoveryKeeper(std::chrono::milliseconds delay, std::chrono::milliseconds max_wait,
                               QObject* parent)
    : QObject(parent) {
    static std::atomic<int> serial{0};
    file_name_ = recovery_file_name(this_process(), serial++);
    pause_.setSingleShot(true);
    pause_.setInterval(delay);
    max_wait_.setSingleShot(true);
    max_wait_.setInterval(std::max(max_wait, delay));
    connect(&pause_, &QTimer::timeout, this, &RecoveryKeeper::write_now);
    connect(&max_wait_, &QTimer::timeout, this, &RecoveryKeeper::write_now);
}

RecoveryKeeper::~RecoveryKeeper() = default;

QString RecoveryKeeper::file_path() const {
    const QString folder = recovery_dir_path();
    return folder.isEmpty() ? QString() : folder + u'/' + file_name_;
}

void RecoveryKeeper::schedule(TextSource text_source, const Document& document) {
    text_source_ = std::move(text_source);
    document_ = document;
    waiting_ = true;
    pause_.start();
    if (!max_wait_.isActive())
        max_wait_.start();
}

FileError RecoveryKeeper::fail(const FileError& error) {
    last_error_ = error;
    emit failed(error);
    return error;
}

FileError RecoveryKeeper::write_now() {
    pause_.stop();
    max_wait_.stop();
    if (!waiting_ || !text_source_)
        return {};
    waiting_ = false;
    FileError error;
    const std::optional<QString> folder = recovery_dir(&error);
    if (!folder)
        return fail(error);
    const RecoveryRecord header{QString(), document_.path, document_.encoding, document_.line_break,
                                QDateTime::currentDateTimeUtc()};
    const QString path = *folder + u'/' + file_name_;
    // The text comes as UTF-8, as the edit control holds it: no conversion.
    const QByteArray head = encode_recovery_header(header);
    const QByteArray text = text_source_();
    error = write_file_atomically(path, {head, text}, Links::Replace);
    if (error.failed())
        return fail(error.about(FileError::Purpose::WriteRecovery));
    ::chmod(native_path(path).constData(), 0600);
    last_error_ = {};
    emit written(path);
    return {};
}

FileError RecoveryKeeper::clear() {
    pause_.stop();
    max_wait_.stop();
    waiting_ = false;
    const QString path = file_path();
    if (path.isEmpty())
        return {};
    // No folder, or no file in it: nothing to remove.
    if (::unlink(native_path(path).constData()) != 0 && errno != ENOENT && errno != ENOTDIR)
        return fail(FileError::system(FileError::Step::Remove, errno, path)
                        .about(FileError::Purpose::RemoveRecovery));
    return {};
}

std::optional<RecoveryRecord> RecoveryKeeper::restore(const PendingRecovery& pending,
                                                      FileError* error) {
    using Step = FileError::Step;
    auto refuse = [error](const FileError& why) -> std::optional<RecoveryRecord> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    FileError why;
    const std::optional<QString> folder = recovery_dir(&why);
    if (!folder)
        return refuse(why);
    const QFileInfo offered(pending.file);
    if (offered.absolutePath() != *folder || !writer_of(offered.fileName()))
        return refuse(FileError::refusal(Step::NotRecoveryFile, pending.file));
    const QByteArray own = native_path(*folder + u'/' + file_name_);
    struct stat info;
    if (::lstat(own.constData(), &info) == 0)
        return refuse(FileError::refusal(Step::RecoveryTaken, pending.file));
    // The rename is the claim: of two Marklets taking the same file, one wins.
    const QByteArray theirs = native_path(pending.file);
    if (::rename(theirs.constData(), own.constData()) != 0) {
        return refuse(errno == ENOENT ? FileError::refusal(Step::AlreadyRecovered, pending.file)
                                      : FileError::system(Step::Rename, errno, pending.file)
                                            .about(FileError::Purpose::TakeRecovery));
    }
    const ReadResult read = read_whole_file(path_from_native(own));
    std::optional<RecoveryRecord> record =
        read.ok() ? decode_recovery(read.bytes) : std::optional<RecoveryRecord>();
    if (!record) {
        // Give it back as it was: what cannot be read here is not ours to drop.
        ::rename(own.constData(), theirs.constData());
        return refuse(FileError::refusal(Step::RecoveryUnreadable, pending.file));
    }
    if (error)
        *error = {};
    return record;
}
