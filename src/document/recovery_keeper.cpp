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

QString RecoveryKeeper::fail(const QString& reason) {
    last_error_ = reason;
    emit failed(reason);
    return reason;
}

QString RecoveryKeeper::write_now() {
    pause_.stop();
    max_wait_.stop();
    if (!waiting_ || !text_source_)
        return QString();
    waiting_ = false;
    QString error;
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
    if (!error.isEmpty())
        return fail(QStringLiteral("Impossibile scrivere il file di recupero. %1").arg(error));
    ::chmod(native_path(path).constData(), 0600);
    last_error_.clear();
    emit written(path);
    return QString();
}

QString RecoveryKeeper::clear() {
    pause_.stop();
    max_wait_.stop();
    waiting_ = false;
    const QString path = file_path();
    if (path.isEmpty())
        return QString();
    // No folder, or no file in it: nothing to remove.
    if (::unlink(native_path(path).constData()) != 0 && errno != ENOENT && errno != ENOTDIR)
        return fail(QStringLiteral("Impossibile eliminare il file di recupero. %1")
                        .arg(write_error_reason(errno)));
    return QString();
}

std::optional<RecoveryRecord> RecoveryKeeper::restore(const PendingRecovery& pending,
                                                      QString* error) {
    auto refuse = [error](const QString& reason) -> std::optional<RecoveryRecord> {
        if (error)
            *error = reason;
        return std::nullopt;
    };
    QString reason;
    const std::optional<QString> folder = recovery_dir(&reason);
    if (!folder)
        return refuse(reason);
    const QFileInfo offered(pending.file);
    if (offered.absolutePath() != *folder || !writer_of(offered.fileName()))
        return refuse(QStringLiteral("Non è un file di recupero."));
    const QByteArray own = native_path(*folder + u'/' + file_name_);
    struct stat info;
    if (::lstat(own.constData(), &info) == 0)
        return refuse(QStringLiteral("Questa finestra ha già un file di recupero."));
    // The rename is the claim: of two Marklets taking the same file, one wins.
    const QByteArray theirs = native_path(pending.file);
    if (::rename(theirs.constData(), own.constData()) != 0) {
        return refuse(errno == ENOENT ? QStringLiteral("Il documento è già stato recuperato.")
                                      : QStringLiteral("Impossibile recuperare il documento. %1")
                                            .arg(write_error_reason(errno)));
    }
    const ReadResult read = read_whole_file(path_from_native(own));
    std::optional<RecoveryRecord> record =
        read.ok() ? decode_recovery(read.bytes) : std::optional<RecoveryRecord>();
    if (!record) {
        // Give it back as it was: what cannot be read here is not ours to drop.
        ::rename(own.constData(), theirs.constData());
        return refuse(QStringLiteral("Il file di recupero è illeggibile."));
    }
    if (error)
        error->clear();
    return record;
}
