#include "app/recovery.h"

#include "app/file_io.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray magic = QByteArrayLiteral("Marklet recovery 1\n");
// A header is a few short lines; the path is the only long one.
constexpr qsizetype max_header = 64 * 1024;

QByteArray encoding_key(Encoding encoding) {
    switch (encoding) {
    case Encoding::Utf8Bom:
        return "utf-8-bom";
    case Encoding::Windows1252:
        return "windows-1252";
    case Encoding::Utf8:
        break;
    }
    return "utf-8";
}

QByteArray line_break_key(LineBreak line_break) {
    switch (line_break) {
    case LineBreak::Lf:
        return "lf";
    case LineBreak::Cr:
        return "cr";
    case LineBreak::CrLf:
        break;
    }
    return "crlf";
}

// Reads the header into `record`; the offset of the text, or -1.
qsizetype decode_header(const QByteArray& bytes, RecoveryRecord* record) {
    if (!bytes.startsWith(magic))
        return -1;
    const qsizetype end = bytes.indexOf("\n\n", magic.size() - 1);
    if (end < 0)
        return -1;
    const QList<QByteArray> lines = bytes.mid(magic.size(), end - magic.size() + 1).split('\n');
    for (const QByteArray& line : lines) {
        const qsizetype colon = line.indexOf(": ");
        if (colon < 0)
            continue;
        const QByteArray key = line.left(colon);
        const QByteArray value = line.mid(colon + 2);
        if (key == "path")
            record->document_path = QFile::decodeName(QByteArray::fromPercentEncoding(value));
        else if (key == "encoding")
            record->encoding = value == "utf-8-bom"      ? Encoding::Utf8Bom
                               : value == "windows-1252" ? Encoding::Windows1252
                                                         : Encoding::Utf8;
        else if (key == "line-break")
            record->line_break = value == "lf"   ? LineBreak::Lf
                                 : value == "cr" ? LineBreak::Cr
                                                 : LineBreak::CrLf;
        else if (key == "saved")
            record->saved_at = QDateTime::fromString(QString::fromLatin1(value), Qt::ISODateWithMs);
    }
    return end + 2;
}

QString recovery_dir_path() {
    return xdg_folder_path("XDG_DATA_HOME", ".local/share", QStringLiteral("marklet/recovery"));
}

QString read_boot_id() {
    QFile file(QStringLiteral("/proc/sys/kernel/random/boot_id"));
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("0");
    const QString id = QString::fromLatin1(file.readAll()).remove(u'-').trimmed().left(8);
    return id.isEmpty() ? QStringLiteral("0") : id;
}

// The state letter and start time from /proc/<pid>/stat.
bool read_stat(qint64 pid, char* state, quint64* start) {
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray stat = file.readAll();
    // The command name may hold spaces and parentheses: fields follow the last ')'.
    const qsizetype paren = stat.lastIndexOf(')');
    if (paren < 0)
        return false;
    const QList<QByteArray> fields = stat.mid(paren + 2).split(' ');
    // fields[0] is the state (field 3 of the file), field 22 the start time.
    if (fields.size() < 20 || fields[0].isEmpty())
        return false;
    *state = fields[0][0];
    bool ok = false;
    *start = fields[19].toULongLong(&ok);
    return ok;
}

bool proc_available() {
    return QFileInfo::exists(QStringLiteral("/proc/self/stat"));
}

} // namespace

namespace {

// Everything of a recovery file up to and including the empty line.
QByteArray encode_header(const RecoveryRecord& record) {
    QByteArray bytes = magic;
    bytes += "path: " + QFile::encodeName(record.document_path).toPercentEncoding("/") + '\n';
    bytes += "encoding: " + encoding_key(record.encoding) + '\n';
    bytes += "line-break: " + line_break_key(record.line_break) + '\n';
    bytes += "saved: " + record.saved_at.toUTC().toString(Qt::ISODateWithMs).toLatin1() + '\n';
    bytes += '\n';
    return bytes;
}

} // namespace

QByteArray encode_recovery(const RecoveryRecord& record) {
    return encode_header(record) + record.text.toUtf8();
}

std::optional<RecoveryRecord> decode_recovery(const QByteArray& bytes) {
    RecoveryRecord record;
    const qsizetype text_start = decode_header(bytes, &record);
    if (text_start < 0)
        return std::nullopt;
    record.text = QString::fromUtf8(bytes.sliced(text_start));
    return record;
}

std::optional<QString> recovery_dir(QString* error) {
    return ensure_private_dir(recovery_dir_path(), QStringLiteral("di recupero"), error);
}

ProcessIdentity identity_of(qint64 pid) {
    ProcessIdentity identity{pid, 0, read_boot_id()};
    char state = 0;
    quint64 start = 0;
    if (read_stat(pid, &state, &start))
        identity.start = start;
    return identity;
}

ProcessIdentity this_process() {
    // Not cached: a forked child is another process.
    return identity_of(::getpid());
}

bool is_running(const ProcessIdentity& process) {
    if (process.pid <= 0)
        return false;
    if (!proc_available() || process.boot == u"0" || read_boot_id() == u"0")
        return ::kill(pid_t(process.pid), 0) == 0 || errno == EPERM;
    if (process.boot != read_boot_id())
        return false; // written before the machine last started
    char state = 0;
    quint64 start = 0;
    if (!read_stat(process.pid, &state, &start))
        return false;
    // Same id but a later start: the id went to another process.
    return state != 'Z' && state != 'X' && start == process.start;
}

QString recovery_file_name(const ProcessIdentity& process, int serial) {
    return QStringLiteral("%1-%2-%3-%4.recovery")
        .arg(process.pid)
        .arg(process.start)
        .arg(process.boot)
        .arg(serial);
}

std::optional<ProcessIdentity> writer_of(const QString& file_name) {
    static const QRegularExpression pattern(
        QStringLiteral("^([0-9]+)-([0-9]+)-([0-9a-zA-Z]+)-[0-9]+\\.recovery$"));
    const QRegularExpressionMatch match = pattern.match(file_name);
    if (!match.hasMatch())
        return std::nullopt;
    return ProcessIdentity{match.captured(1).toLongLong(), match.captured(2).toULongLong(),
                           match.captured(3)};
}

QList<PendingRecovery> pending_recoveries() {
    QList<PendingRecovery> found;
    const std::optional<QString> folder = recovery_dir();
    if (!folder)
        return found;
    const QFileInfoList entries = QDir(*folder).entryInfoList(
        {QStringLiteral("*.recovery")}, QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QFileInfo& entry : entries) {
        const auto writer = writer_of(entry.fileName());
        if (!writer || is_running(*writer))
            continue;
        QFile file(entry.filePath());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        RecoveryRecord record;
        if (decode_header(file.read(max_header), &record) < 0)
            continue;
        const QDateTime saved = record.saved_at.isValid() ? record.saved_at : entry.lastModified();
        found.append({entry.filePath(), record.document_path, saved});
    }
    std::sort(found.begin(), found.end(), [](const PendingRecovery& a, const PendingRecovery& b) {
        return a.saved_at > b.saved_at;
    });
    return found;
}

std::optional<PendingRecovery> pending_recovery() {
    const QList<PendingRecovery> all = pending_recoveries();
    if (all.isEmpty())
        return std::nullopt;
    return all.first();
}

QString discard_recovery(const PendingRecovery& pending) {
    if (::unlink(QFile::encodeName(pending.file).constData()) != 0 && errno != ENOENT)
        return QStringLiteral("Impossibile eliminare il file di recupero. %1")
            .arg(write_error_reason(errno));
    return QString();
}

// RecoveryKeeper --------------------------------------------------------------

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
    const QByteArray head = encode_header(header);
    const QByteArray text = text_source_();
    error = write_file_atomically(path, {head, text}, Links::Replace);
    if (!error.isEmpty())
        return fail(QStringLiteral("Impossibile scrivere il file di recupero. %1").arg(error));
    ::chmod(QFile::encodeName(path).constData(), 0600);
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
    if (::unlink(QFile::encodeName(path).constData()) != 0 && errno != ENOENT && errno != ENOTDIR)
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
    const QByteArray own = QFile::encodeName(*folder + u'/' + file_name_);
    struct stat info;
    if (::lstat(own.constData(), &info) == 0)
        return refuse(QStringLiteral("Questa finestra ha già un file di recupero."));
    // The rename is the claim: of two Marklets taking the same file, one wins.
    const QByteArray theirs = QFile::encodeName(pending.file);
    if (::rename(theirs.constData(), own.constData()) != 0) {
        return refuse(errno == ENOENT ? QStringLiteral("Il documento è già stato recuperato.")
                                      : QStringLiteral("Impossibile recuperare il documento. %1")
                                            .arg(write_error_reason(errno)));
    }
    const ReadResult read = read_whole_file(QFile::decodeName(own));
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
