// Rewriting a user's file in place, for the files a new file and a rename
// would change into something else: a file with other names (hard links), a
// file of another owner or with ACLs or extended attributes, a file in a
// folder we may not write. Copies of the old and the new content are first
// flushed to the user's own backup folder and the save is entered in the
// journal, so that a process killed while the file is half written leaves
// what the next start needs to complete it; a write that fails midway puts
// the old content back.

#include "document/file_name.h"
#include "document/posix_file.h"
#include "document/save_journal.h"
#include "document/temp_files.h"

#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace posix_file {

bool read_from_start(int fd, qsizetype size_hint, QByteArray* bytes) {
    bytes->resize(size_hint + 1);
    qsizetype filled = 0;
    for (;;) {
        if (filled == bytes->size())
            bytes->resize(bytes->size() * 2 + 4096);
        const ssize_t got = ::pread(fd, bytes->data() + filled,
                                    static_cast<size_t>(bytes->size() - filled), off_t(filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break;
        filled += got;
    }
    bytes->truncate(filled);
    return true;
}

bool write_from_start(int fd, std::initializer_list<QByteArrayView> pieces,
                      void (*first_block_hook)()) {
    off_t size = 0;
    for (const QByteArrayView piece : pieces)
        size += piece.size();
    return ::lseek(fd, 0, SEEK_SET) == 0 && write_all(fd, pieces, first_block_hook) &&
           ::ftruncate(fd, size) == 0 && ::fsync(fd) == 0;
}

namespace {

QString backup_folder(FileError* error) {
    const QString folder =
        xdg_folder_path("XDG_DATA_HOME", ".local/share", QStringLiteral("marklet/backup"));
    return ensure_private_dir(folder, FileError::Folder::Backup, error).value_or(QString());
}

// A copy in the backup folder, made under a new name of its own and flushed.
// No temporary file and rename: the journal names the copy, so a copy cut
// short by a kill is known for what it is.
FileError write_copy(const QString& path, std::initializer_list<QByteArrayView> pieces) {
    Descriptor fd(::open(native_path(path).constData(),
                         O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!fd.valid())
        return FileError::system(FileError::Step::Create, errno, path);
    if (!write_all(fd.get(), pieces) || ::fsync(fd.get()) != 0 || fd.close() != 0)
        return FileError::system(FileError::Step::Write, errno, path);
    return {};
}

void remove_copy(const QString& path) {
    ::unlink(native_path(path).constData());
}

} // namespace

bool has_extended_attributes(const QByteArray& path) {
    ssize_t size = ::llistxattr(path.constData(), nullptr, 0);
    if (size <= 0)
        return false; // none, or none the file system keeps
    QByteArray names(size, Qt::Uninitialized);
    size = ::llistxattr(path.constData(), names.data(), size_t(names.size()));
    if (size <= 0)
        return false;
    // The security labels (SELinux and the like) are given to a new file by
    // the system itself; every other attribute, ACLs included, would be lost.
    for (const QByteArray& name : names.left(size).split('\0')) {
        if (!name.isEmpty() && !name.startsWith("security."))
            return true;
    }
    return false;
}

FileError rewrite_in_place(const QByteArray& target, std::initializer_list<QByteArrayView> pieces,
                           FileIdentity* written) {
    using Step = FileError::Step;
    using Purpose = FileError::Purpose;
    const QString path = path_from_native(target);
    Descriptor fd(::open(target.constData(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY));
    struct stat info;
    if (!fd.valid() || ::fstat(fd.get(), &info) != 0)
        return FileError::system(Step::Write, errno, path);
    if (!S_ISREG(info.st_mode))
        return FileError::refusal(Step::NotRegularFile, path);
    QByteArray old;
    if (!read_from_start(fd.get(), qsizetype(info.st_size), &old))
        return FileError::system(Step::Read, errno, path);

    FileError error;
    const QString folder = backup_folder(&error);
    if (folder.isEmpty())
        return error.about(Purpose::InPlaceNoBackup);
    // The copies are named after the file, whatever bytes its name holds.
    const QString stem = folder + u'/' + file_name_of(path_from_native(target)).left(100) + u'-' +
                         QString::number(QRandomGenerator::system()->generate(), 36);
    JournalEntry entry;
    entry.kind = JournalEntry::Kind::InPlace;
    entry.target = path_from_native(target);
    entry.old_copy = stem + QStringLiteral(".backup");
    entry.new_copy = stem + QStringLiteral(".new");
    entry.device = quint64(info.st_dev);
    entry.inode = quint64(info.st_ino);
    entry.old_size = old.size();
    for (const QByteArrayView piece : pieces)
        entry.new_size += piece.size();
    JournalRecord journal;
    error = journal.write(entry, true);
    if (error.ok())
        error = write_copy(entry.old_copy, {old});
    if (error.ok())
        error = write_copy(entry.new_copy, pieces);
    if (error.ok()) {
        // The copies' names, too, are on the disk before the file is touched.
        Descriptor copies(::open(native_path(folder).constData(), O_RDONLY | O_DIRECTORY));
        if (copies.valid())
            ::fsync(copies.get());
        entry.stage = JournalEntry::Stage::Writing;
        error = journal.write(entry, true);
    }
    if (error.failed()) {
        journal.remove();
        remove_copy(entry.old_copy);
        remove_copy(entry.new_copy);
        return error.about(Purpose::InPlaceNoBackup);
    }

    const bool good = write_from_start(fd.get(), pieces, stop_here_for_tests);
    if (good && written)
        *written = identity_of_descriptor(fd.get());
    if (good && fd.close() == 0) {
        // The entry last, the new text's copy just before it: whenever a kill
        // comes, the next start finds the file whole and tidies up.
        remove_copy(entry.old_copy);
        remove_copy(entry.new_copy);
        journal.remove();
        return {};
    }
    FileError why = FileError::system(Step::Write, errno, path);
    const bool restored = fd.valid() && write_from_start(fd.get(), {old}) && fd.close() == 0;
    journal.remove();
    remove_copy(entry.new_copy);
    if (restored) {
        remove_copy(entry.old_copy);
        return why.about(Purpose::InPlaceRestored);
    }
    why.kept = entry.old_copy;
    return why.about(Purpose::InPlaceKept);
}

} // namespace posix_file
