#include "document/recovery_file.h"

#include "document/file_io.h"
#include "document/file_name.h"
#include "document/temp_files.h"

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

const QByteArray recovery_magic = QByteArrayLiteral("Marklet recovery 1\n");
// A header is a few short lines; the path is the only long one.
constexpr qsizetype max_header = 64 * 1024;

QByteArray encoding_key(Encoding encoding) {
    switch (encoding) {
    case Encoding::Utf8Bom:
        return "utf-8-bom";
    case Encoding::Windows1252:
        return "windows-1252";
    case Encoding::Utf16Le:
        return "utf-16le";
    case Encoding::Utf16Be:
        return "utf-16be";
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

Encoding encoding_of_key(const QByteArray& key) {
    for (Encoding encoding :
         {Encoding::Utf8Bom, Encoding::Windows1252, Encoding::Utf16Le, Encoding::Utf16Be}) {
        if (key == encoding_key(encoding))
            return encoding;
    }
    return Encoding::Utf8;
}

// Reads the header into `record`; the offset of the text, or -1.
qsizetype decode_header(const QByteArray& bytes, RecoveryRecord* record) {
    if (!bytes.startsWith(recovery_magic))
        return -1;
    const qsizetype end = bytes.indexOf("\n\n", recovery_magic.size() - 1);
    if (end < 0)
        return -1;
    const QList<QByteArray> lines =
        bytes.mid(recovery_magic.size(), end - recovery_magic.size() + 1).split('\n');
    for (const QByteArray& line : lines) {
        const qsizetype colon = line.indexOf(": ");
        if (colon < 0)
            continue;
        const QByteArray key = line.left(colon);
        const QByteArray value = line.mid(colon + 2);
        if (key == "path")
            record->document_path = path_from_native(QByteArray::fromPercentEncoding(value));
        else if (key == "encoding")
            record->encoding = encoding_of_key(value);
        else if (key == "line-break")
            record->line_break = value == "lf"   ? LineBreak::Lf
                                 : value == "cr" ? LineBreak::Cr
                                                 : LineBreak::CrLf;
        else if (key == "saved")
            record->saved_at = QDateTime::fromString(QString::fromLatin1(value), Qt::ISODateWithMs);
    }
    return end + 2;
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

QByteArray encode_recovery_header(const RecoveryRecord& record) {
    QByteArray bytes = recovery_magic;
    bytes += "path: " + native_path(record.document_path).toPercentEncoding("/") + '\n';
    bytes += "encoding: " + encoding_key(record.encoding) + '\n';
    bytes += "line-break: " + line_break_key(record.line_break) + '\n';
    bytes += "saved: " + record.saved_at.toUTC().toString(Qt::ISODateWithMs).toLatin1() + '\n';
    bytes += '\n';
    return bytes;
}

QByteArray encode_recovery(const RecoveryRecord& record) {
    return encode_recovery_header(record) + record.text.toUtf8();
}

std::optional<RecoveryRecord> decode_recovery(const QByteArray& bytes) {
    RecoveryRecord record;
    const qsizetype text_start = decode_header(bytes, &record);
    if (text_start < 0)
        return std::nullopt;
    // Every byte-order mark at the start of the text is part of it.
    record.text = text_from_utf8(QByteArrayView(bytes).sliced(text_start));
    return record;
}

QString recovery_dir_path() {
    return xdg_folder_path("XDG_DATA_HOME", ".local/share", QStringLiteral("marklet/recovery"));
}

std::optional<QString> recovery_dir(FileError* error) {
    return ensure_private_dir(recovery_dir_path(), FileError::Folder::Recovery, error);
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
    for (const QString& name : names_in(*folder)) {
        const auto writer = writer_of(name);
        if (!writer || is_running(*writer))
            continue;
        const QString path = *folder + u'/' + name;
        const int fd = ::open(native_path(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        struct stat info;
        if (fd < 0)
            continue;
        QByteArray head(max_header, Qt::Uninitialized);
        const ssize_t got = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)
                                ? ::read(fd, head.data(), size_t(head.size()))
                                : -1;
        ::close(fd);
        RecoveryRecord record;
        if (got < 0 || decode_header(head.left(got), &record) < 0)
            continue;
        const QDateTime saved = record.saved_at.isValid()
                                    ? record.saved_at
                                    : QDateTime::fromSecsSinceEpoch(info.st_mtim.tv_sec);
        found.append({path, record.document_path, saved});
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

FileError discard_recovery(const PendingRecovery& pending) {
    if (::unlink(native_path(pending.file).constData()) != 0 && errno != ENOENT)
        return FileError::system(FileError::Step::Remove, errno, pending.file)
            .about(FileError::Purpose::RemoveRecovery);
    return {};
}
