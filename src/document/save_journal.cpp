#include "document/save_journal.h"

#include "document/file_name.h"
#include "document/posix_file.h"
#include "document/recovery_file.h"
#include "document/temp_files.h"

#include <QRegularExpression>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace posix_file;

namespace {

const QByteArray journal_magic = QByteArrayLiteral("Marklet journal 1\n");

QByteArray path_value(const QString& path) {
    return native_path(path).toPercentEncoding("/");
}

QString journal_dir_path() {
    return xdg_folder_path("XDG_DATA_HOME", ".local/share", QStringLiteral("marklet/journal"));
}

QString entry_name(const ProcessIdentity& process, int serial) {
    return recovery_file_name(process, serial)
        .replace(QStringLiteral(".recovery"), QStringLiteral(".journal"));
}

int next_serial() {
    static std::atomic<int> serial{0};
    return serial++;
}

// A file a save of ours made beside a user's file: a plain file of ours with
// one name, called as we call them. Anything else there is left alone.
bool is_our_temp(const QString& path) {
    struct stat info;
    const QString name = file_name_of(path);
    return ::lstat(native_path(path).constData(), &info) == 0 && S_ISREG(info.st_mode) &&
           info.st_uid == ::geteuid() && info.st_nlink == 1 && name.startsWith(u'.') &&
           name.contains(QStringLiteral(".marklet-"));
}

bool exists(const QString& path) {
    struct stat info;
    return ::lstat(native_path(path).constData(), &info) == 0;
}

void remove_file(const QString& path) {
    if (!path.isEmpty())
        ::unlink(native_path(path).constData());
}

// True when every byte of `file` is the byte of `old` or of `now` at its
// place, and its size lies between theirs: what a write of `now` over `old`
// from the start leaves when it is cut off anywhere.
bool is_mix(QByteArrayView file, QByteArrayView old, QByteArrayView now) {
    if (file.size() < std::min(old.size(), now.size()) ||
        file.size() > std::max(old.size(), now.size()))
        return false;
    for (qsizetype i = 0; i < file.size(); ++i) {
        if (!(i < now.size() && file[i] == now[i]) && !(i < old.size() && file[i] == old[i]))
            return false;
    }
    return true;
}

struct Copy {
    QByteArray bytes;
    bool whole = false;
};

Copy read_copy(const QString& path, qint64 size) {
    const ReadResult read = read_whole_file(path);
    return {read.bytes, read.ok() && read.bytes.size() == size};
}

// A save in place that its process did not end. Nothing when there was
// nothing to tell (the copies were not complete, so the file was never
// touched; or the file already held the new text and the copies were going).
std::optional<InterruptedSave> settle_in_place(const JournalEntry& entry) {
    using Outcome = InterruptedSave::Outcome;
    if (entry.stage == JournalEntry::Stage::Copying) {
        remove_file(entry.old_copy);
        remove_file(entry.new_copy);
        return std::nullopt;
    }
    // Both copies gone: the save was done and was tidying up.
    if (!exists(entry.old_copy) && !exists(entry.new_copy))
        return std::nullopt;
    InterruptedSave told{Outcome::ChangedSince, entry.target,   {},
                         entry.old_copy,        entry.new_copy, {}};
    Descriptor fd(::open(native_path(entry.target).constData(),
                         O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK));
    struct stat info;
    if (!fd.valid() || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        quint64(info.st_dev) != entry.device || quint64(info.st_ino) != entry.inode)
        return told; // gone, or another file by now
    QByteArray file;
    if (!read_from_start(fd.get(), qsizetype(info.st_size), &file)) {
        told.error = FileError::system(FileError::Step::Read, errno, entry.target);
        told.outcome = Outcome::WriteFailed;
        return told;
    }
    const Copy now = read_copy(entry.new_copy, entry.new_size);
    const Copy old = read_copy(entry.old_copy, entry.old_size);
    if (now.whole && file == now.bytes) {
        // Written whole; only the tidying up was left.
        remove_file(entry.new_copy);
        remove_file(entry.old_copy);
        return std::nullopt;
    }
    if (!old.whole || !is_mix(file, old.bytes, now.bytes))
        return told;
    const Copy& put = now.whole ? now : old;
    if (!write_from_start(fd.get(), {put.bytes}) || fd.close() != 0) {
        told.outcome = Outcome::WriteFailed;
        told.error = FileError::system(FileError::Step::Write, errno, entry.target);
        return told;
    }
    told.outcome = now.whole ? Outcome::Finished : Outcome::RolledBack;
    told.restored_from = now.whole ? entry.new_copy : entry.old_copy;
    // The text now in the file has no need of its copy; the other is kept
    // (the old content) unless it was never complete.
    remove_file(told.restored_from);
    (now.whole ? told.new_copy : told.old_copy).clear();
    if (!now.whole) {
        remove_file(entry.new_copy);
        told.new_copy.clear();
    }
    return told;
}

} // namespace

QByteArray encode_journal_entry(const JournalEntry& entry) {
    QByteArray bytes = journal_magic;
    bytes += "kind: ";
    bytes += entry.kind == JournalEntry::Kind::InPlace ? "in-place\n" : "replace\n";
    bytes += "stage: ";
    bytes += entry.stage == JournalEntry::Stage::Writing ? "writing\n" : "copying\n";
    bytes += "target: " + path_value(entry.target) + '\n';
    bytes += "temp: " + path_value(entry.temp) + '\n';
    bytes += "old: " + path_value(entry.old_copy) + '\n';
    bytes += "new: " + path_value(entry.new_copy) + '\n';
    bytes += "device: " + QByteArray::number(entry.device) + '\n';
    bytes += "inode: " + QByteArray::number(entry.inode) + '\n';
    bytes += "old-size: " + QByteArray::number(entry.old_size) + '\n';
    bytes += "new-size: " + QByteArray::number(entry.new_size) + '\n';
    return bytes + "end\n";
}

std::optional<JournalEntry> decode_journal_entry(const QByteArray& bytes) {
    if (!bytes.startsWith(journal_magic) || !bytes.endsWith("\nend\n"))
        return std::nullopt;
    JournalEntry entry;
    for (const QByteArray& line : bytes.sliced(journal_magic.size()).split('\n')) {
        const qsizetype colon = line.indexOf(": ");
        const QByteArray key = line.left(colon), value = line.mid(colon + 2);
        const QString path = path_from_native(QByteArray::fromPercentEncoding(value));
        if (key == "kind")
            entry.kind =
                value == "in-place" ? JournalEntry::Kind::InPlace : JournalEntry::Kind::Replace;
        else if (key == "stage")
            entry.stage =
                value == "writing" ? JournalEntry::Stage::Writing : JournalEntry::Stage::Copying;
        else if (key == "target")
            entry.target = path;
        else if (key == "temp")
            entry.temp = path;
        else if (key == "old")
            entry.old_copy = path;
        else if (key == "new")
            entry.new_copy = path;
        else if (key == "device")
            entry.device = value.toULongLong();
        else if (key == "inode")
            entry.inode = value.toULongLong();
        else if (key == "old-size")
            entry.old_size = value.toLongLong();
        else if (key == "new-size")
            entry.new_size = value.toLongLong();
    }
    if (entry.target.isEmpty())
        return std::nullopt;
    return entry;
}

std::optional<QString> journal_dir(FileError* error) {
    return ensure_private_dir(journal_dir_path(), FileError::Folder::Journal, error);
}

JournalRecord::JournalRecord() = default;

JournalRecord::~JournalRecord() {
    remove();
}

FileError JournalRecord::write(const JournalEntry& entry, bool durable) {
    if (path_.isEmpty()) {
        FileError error;
        const std::optional<QString> folder = journal_dir(&error);
        if (!folder)
            return error;
        path_ = *folder + u'/' + entry_name(this_process(), next_serial());
    }
    WriteOptions options;
    options.links = Links::Replace;
    options.durable = durable;
    options.forced_mode = 0600;
    const FileError error = replace_file(path_, {encode_journal_entry(entry)}, options);
    written_ = written_ || error.ok();
    return error;
}

void JournalRecord::remove() {
    if (written_)
        remove_file(path_);
    written_ = false;
}

QList<InterruptedSave> settle_interrupted_saves() {
    QList<InterruptedSave> found;
    const std::optional<QString> folder = journal_dir();
    if (!folder)
        return found;
    static const QRegularExpression entry_pattern(QStringLiteral("^(.*)\\.journal$"));
    for (const QString& name : names_in(*folder)) {
        const QRegularExpressionMatch match = entry_pattern.match(name);
        const auto writer = match.hasMatch()
                                ? writer_of(match.captured(1) + QStringLiteral(".recovery"))
                                : std::nullopt;
        if (!writer || is_running(*writer))
            continue;
        // The rename is the claim: of two Marklets starting at once, one wins.
        const QString theirs = *folder + u'/' + name;
        const QString ours = *folder + u'/' + entry_name(this_process(), next_serial());
        if (::rename(native_path(theirs).constData(), native_path(ours).constData()) != 0)
            continue;
        const ReadResult read = read_whole_file(ours);
        const std::optional<JournalEntry> entry =
            read.ok() ? decode_journal_entry(read.bytes) : std::nullopt;
        if (entry && entry->kind == JournalEntry::Kind::Replace && is_our_temp(entry->temp))
            remove_file(entry->temp);
        if (entry && entry->kind == JournalEntry::Kind::InPlace) {
            if (auto told = settle_in_place(*entry))
                found.append(*told);
        }
        remove_file(ours);
    }
    return found;
}

void stop_here_for_tests() {
    static const bool stop = qEnvironmentVariableIsSet("MARKLET_STOP_DURING_SAVE");
    if (stop)
        ::raise(SIGSTOP);
}
