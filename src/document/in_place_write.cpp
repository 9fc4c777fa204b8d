// Rewriting a user's file in place, for the files a new file and a rename
// would change into something else: a file with other names (hard links), a
// file of another owner or with ACLs or extended attributes, a file in a
// folder we may not write. The old content is first copied, and flushed, to
// the user's own backup folder; a write that fails midway puts it back.

#include "document/posix_file.h"
#include "document/temp_files.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace posix_file {

namespace {

// Reads the whole file behind `fd` from its start.
bool read_all(int fd, qsizetype size_hint, QByteArray* bytes) {
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

// Writes the pieces from the start of the file, cuts what is left of a longer
// old content and flushes it to the disk.
bool write_from_start(int fd, std::initializer_list<QByteArrayView> pieces) {
    off_t at = 0;
    for (const QByteArrayView piece : pieces) {
        const char* data = piece.data();
        qsizetype left = piece.size();
        while (left > 0) {
            const ssize_t written = ::pwrite(fd, data, static_cast<size_t>(left), at);
            if (written < 0 && errno == EINTR)
                continue;
            if (written < 0)
                return false;
            data += written;
            left -= written;
            at += written;
        }
    }
    return ::ftruncate(fd, at) == 0 && ::fsync(fd) == 0;
}

QString backup_folder(QString* error) {
    const QString folder =
        xdg_folder_path("XDG_DATA_HOME", ".local/share", QStringLiteral("marklet/backup"));
    return ensure_private_dir(folder, QStringLiteral("delle copie di sicurezza"), error)
        .value_or(QString());
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

QString rewrite_in_place(const QByteArray& target, std::initializer_list<QByteArrayView> pieces) {
    Descriptor fd(::open(target.constData(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY));
    struct stat info;
    if (!fd.valid() || ::fstat(fd.get(), &info) != 0)
        return reason(errno, Action::Write);
    if (!S_ISREG(info.st_mode))
        return not_regular_file();
    QByteArray old;
    if (!read_all(fd.get(), qsizetype(info.st_size), &old))
        return reason(errno, Action::Read);

    QString error;
    const QString folder = backup_folder(&error);
    if (folder.isEmpty())
        return QStringLiteral("Nessuna copia di sicurezza possibile. %1").arg(error);
    const QString name = QFile::decodeName(target.mid(target.lastIndexOf('/') + 1)).left(100);
    const QString backup = folder + u'/' + name + u'-' +
                           QString::number(QRandomGenerator::system()->generate(), 36) +
                           QStringLiteral(".backup");
    WriteOptions backup_options;
    backup_options.links = Links::Replace;
    backup_options.forced_mode = 0600;
    error = replace_file(backup, {old}, backup_options);
    if (!error.isEmpty())
        return QStringLiteral("Nessuna copia di sicurezza possibile. %1").arg(error);

    if (write_from_start(fd.get(), pieces)) {
        if (fd.close() == 0) {
            ::unlink(QFile::encodeName(backup).constData());
            return QString();
        }
    }
    const QString why = reason(errno, Action::Write);
    if (fd.valid() && write_from_start(fd.get(), {old}) && fd.close() == 0) {
        ::unlink(QFile::encodeName(backup).constData());
        return why + QStringLiteral(" Il contenuto precedente del file è stato ripristinato.");
    }
    return why +
           QStringLiteral(" Il contenuto precedente del file è conservato in \"%1\".").arg(backup);
}

} // namespace posix_file
