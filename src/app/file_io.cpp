#include "app/file_io.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <pwd.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Larger files are refused rather than read into memory: no HTML document
// this editor handles comes near it.
constexpr qint64 max_read_size = qint64(1) << 30;

// How many symbolic links a document's path may go through before we give up.
constexpr int max_link_depth = 40;

enum class Action { Read, Write };

QString reason(int error, Action action) {
    switch (error) {
    case ENOENT:
        return action == Action::Read ? QStringLiteral("Il file non esiste.")
                                      : QStringLiteral("La cartella non esiste.");
    case ENOTDIR:
        return QStringLiteral("Una parte del percorso non è una cartella.");
    case EISDIR:
        return QStringLiteral("È una cartella.");
    case EACCES:
    case EPERM:
        return QStringLiteral("Permesso negato.");
    case EROFS:
        return QStringLiteral("Il disco è in sola lettura.");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("Il disco è pieno.");
    case EFBIG:
    case EOVERFLOW:
        return QStringLiteral("Il file è troppo grande.");
    case ENAMETOOLONG:
        return QStringLiteral("Il nome del file è troppo lungo.");
    case ELOOP:
        return QStringLiteral("Troppi collegamenti simbolici nel percorso.");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("Troppi file aperti.");
    case ETXTBSY:
    case EBUSY:
        return QStringLiteral("Il file è in uso.");
    case EIO:
        return action == Action::Read ? QStringLiteral("Errore di lettura dal disco.")
                                      : QStringLiteral("Errore di scrittura sul disco.");
    case ENOMEM:
        return QStringLiteral("Memoria insufficiente.");
    default:
        return action == Action::Read
                   ? QStringLiteral("Impossibile leggere il file (errore %1).").arg(error)
                   : QStringLiteral("Impossibile scrivere il file (errore %1).").arg(error);
    }
}

QString not_regular_file() {
    return QStringLiteral("Non è un file regolare.");
}

// Closes a descriptor when it goes out of scope.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now and reports the close's own error (NFS reports write errors there).
    int close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

  private:
    int fd_;
};

QByteArray directory_of(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    if (slash == 0)
        return QByteArrayLiteral("/");
    return path.left(slash);
}

QByteArray name_of(const QByteArray& path) {
    return path.mid(path.lastIndexOf('/') + 1);
}

// The file a chain of symbolic links ends in (which need not exist yet).
bool resolve_links(QByteArray* path) {
    for (int depth = 0; depth < max_link_depth; ++depth) {
        struct stat info;
        if (::lstat(path->constData(), &info) != 0 || !S_ISLNK(info.st_mode))
            return true;
        QByteArray target(PATH_MAX, Qt::Uninitialized);
        const ssize_t length = ::readlink(path->constData(), target.data(), target.size());
        if (length < 0)
            return true; // the write itself will report what is wrong
        target.truncate(length);
        *path = target.startsWith('/') ? target : directory_of(*path) + '/' + target;
    }
    errno = ELOOP;
    return false;
}

bool write_all(int fd, const char* data, qsizetype size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(size));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= written;
    }
    return true;
}

bool write_all(int fd, std::initializer_list<QByteArrayView> pieces) {
    for (const QByteArrayView piece : pieces) {
        if (!write_all(fd, piece.data(), piece.size()))
            return false;
    }
    return true;
}

// Opens a new, uniquely named file beside `path` for writing.
int create_temp_beside(const QByteArray& path, mode_t mode, QByteArray* temp_path) {
    // Keep the temporary name within the length a file name may have.
    const QByteArray stem = name_of(path).left(100);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray suffix = QByteArray::number(QRandomGenerator::system()->generate(), 36);
        *temp_path = directory_of(path) + "/." + stem + ".marklet-" + suffix;
        const int fd = ::open(temp_path->constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

struct WriteOptions {
    Links links = Links::Follow;
    bool durable = true;    // flush to the disk before the rename
    mode_t forced_mode = 0; // the new file's mode; 0 keeps the old file's
};

QString write_atomically(const QString& path, std::initializer_list<QByteArrayView> pieces,
                         WriteOptions options) {
    if (path.isEmpty())
        return QStringLiteral("Nessun nome di file.");
    QByteArray target = QFile::encodeName(path);
    if (target.endsWith('/'))
        return QStringLiteral("È una cartella.");
    if (options.links == Links::Follow && !resolve_links(&target))
        return reason(errno, Action::Write);

    // What is there now decides whether it may be replaced and with which mode.
    struct stat old;
    const bool exists = ::lstat(target.constData(), &old) == 0;
    if (!exists && errno != ENOENT)
        return reason(errno, Action::Write);
    if (exists && S_ISDIR(old.st_mode))
        return reason(EISDIR, Action::Write);
    // Devices, pipes and sockets are never replaced by a plain file (as root,
    // that would destroy /dev/full and the like) nor written into.
    if (exists && !S_ISREG(old.st_mode) && !S_ISLNK(old.st_mode))
        return not_regular_file();
    const bool old_is_file = exists && S_ISREG(old.st_mode);
    // A file made read-only is not replaced behind its owner's back.
    if (old_is_file && ::faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) != 0)
        return reason(errno, Action::Write);

    QByteArray temp_path;
    const mode_t create_mode = options.forced_mode ? options.forced_mode
                               : old_is_file       ? (old.st_mode & 07777)
                                                   : 0666;
    Descriptor fd(create_temp_beside(target, create_mode, &temp_path));
    if (!fd.valid())
        return reason(errno, Action::Write);

    auto fail = [&](int error) {
        ::unlink(temp_path.constData());
        return reason(error, Action::Write);
    };
    // open() applied the umask to a new file's 0666; a kept or forced mode is set exactly.
    if (options.forced_mode || old_is_file) {
        if (old_is_file && !options.forced_mode &&
            (old.st_uid != ::geteuid() || old.st_gid != ::getegid())) {
            // Keeps the owner where we may (root editing a user's file); best effort.
            [[maybe_unused]] const int ignored = ::fchown(fd.get(), old.st_uid, old.st_gid);
        }
        if (::fchmod(fd.get(), create_mode) != 0)
            return fail(errno);
    }
    if (!write_all(fd.get(), pieces))
        return fail(errno);
    if (options.durable && ::fsync(fd.get()) != 0)
        return fail(errno);
    if (fd.close() != 0)
        return fail(errno);
    if (::rename(temp_path.constData(), target.constData()) != 0)
        return fail(errno);
    if (options.durable) {
        Descriptor folder(::open(directory_of(target).constData(), O_RDONLY | O_DIRECTORY));
        if (folder.valid())
            ::fsync(folder.get());
    }
    return QString();
}

QByteArray home_folder() {
    QByteArray home = qgetenv("HOME");
    if (home.isEmpty()) {
        if (const passwd* user = ::getpwuid(::getuid()))
            home = user->pw_dir;
    }
    return home;
}

QString temp_dir_path() {
    return xdg_folder_path("XDG_CACHE_HOME", ".cache", QStringLiteral("marklet"));
}

// mkdir -p with mode 0700 for every folder it creates.
bool make_folders(const QByteArray& path) {
    if (::mkdir(path.constData(), 0700) == 0 || errno == EEXIST)
        return true;
    if (errno != ENOENT)
        return false;
    const QByteArray parent = directory_of(path);
    if (parent == path || !make_folders(parent))
        return false;
    return ::mkdir(path.constData(), 0700) == 0 || errno == EEXIST;
}

// A large buffer is filled far faster in huge pages: one page fault per 2 MB
// instead of one per 4 KB. Only a hint; the kernel may ignore it.
void prefer_huge_pages(QByteArray& bytes) {
    constexpr qsizetype huge_page = 2 * 1024 * 1024;
    if (bytes.size() < 4 * huge_page)
        return;
    const auto start =
        (reinterpret_cast<quintptr>(bytes.data()) + huge_page - 1) & ~quintptr(huge_page - 1);
    const auto end =
        (reinterpret_cast<quintptr>(bytes.data()) + bytes.size()) & ~quintptr(huge_page - 1);
    if (end > start)
        ::madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
}

} // namespace

ReadResult read_whole_file(const QString& path) {
    ReadResult result;
    if (path.isEmpty()) {
        result.error = QStringLiteral("Nessun nome di file.");
        return result;
    }
    // Non-blocking, so that opening a named pipe does not hang before we can refuse it.
    Descriptor fd(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!fd.valid()) {
        result.error = reason(errno, Action::Read);
        return result;
    }
    struct stat info;
    if (::fstat(fd.get(), &info) != 0) {
        result.error = reason(errno, Action::Read);
        return result;
    }
    if (S_ISDIR(info.st_mode)) {
        result.error = reason(EISDIR, Action::Read);
        return result;
    }
    if (!S_ISREG(info.st_mode)) {
        result.error = not_regular_file();
        return result;
    }
    if (info.st_size > max_read_size) {
        result.error = reason(EFBIG, Action::Read);
        return result;
    }
    // The size is a hint: the file may change while we read, and some files
    // (those of /proc) report none at all. Read to the end regardless.
    QByteArray bytes(static_cast<qsizetype>(info.st_size) + 1, Qt::Uninitialized);
    prefer_huge_pages(bytes);
    qsizetype filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (bytes.size() > max_read_size) {
                result.error = reason(EFBIG, Action::Read);
                return result;
            }
            bytes.resize(bytes.size() * 2 + 4096);
        }
        const ssize_t got =
            ::read(fd.get(), bytes.data() + filled, static_cast<size_t>(bytes.size() - filled));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            result.error = reason(errno, Action::Read);
            return result;
        }
        if (got == 0)
            break;
        filled += got;
    }
    bytes.truncate(filled);
    result.bytes = bytes;
    return result;
}

QString write_file_atomically(const QString& path, const QByteArray& bytes, Links links) {
    return write_file_atomically(path, {QByteArrayView(bytes)}, links);
}

QString write_file_atomically(const QString& path, std::initializer_list<QByteArrayView> pieces,
                              Links links) {
    WriteOptions options;
    options.links = links;
    return write_atomically(path, pieces, options);
}

QString write_temp_file(const QString& path, const QByteArray& bytes) {
    return write_temp_file(path, {QByteArrayView(bytes)});
}

namespace {

// Empty when `path` may be written as a temporary file: it lies in the
// private folder, which exists (made now when missing). Otherwise the reason.
QString temp_file_refusal(const QString& path) {
    QString error;
    const std::optional<QString> folder = private_temp_dir(&error);
    if (!folder)
        return error;
    if (QDir::cleanPath(QFileInfo(path).absolutePath()) != *folder)
        return QStringLiteral("Il file temporaneo non è nella cartella privata del programma.");
    return QString();
}

// A new temporary file in place of the old, once its path has been checked.
QString replace_temp_file(const QString& path, std::initializer_list<QByteArrayView> pieces) {
    WriteOptions options;
    options.links = Links::Replace;
    // Rewritten at every keystroke and worthless after a crash: no flush to the disk.
    options.durable = false;
    options.forced_mode = 0600;
    return write_atomically(path, pieces, options);
}

} // namespace

QString write_temp_file(const QString& path, std::initializer_list<QByteArrayView> pieces) {
    if (QString refusal = temp_file_refusal(path); !refusal.isEmpty())
        return refusal;
    return replace_temp_file(path, pieces);
}

QString rewrite_temp_file(const QString& path, std::initializer_list<QByteArrayView> pieces) {
    if (QString refusal = temp_file_refusal(path); !refusal.isEmpty())
        return refusal;
    const QByteArray native = QFile::encodeName(path);
    Descriptor fd(::open(native.constData(),
                         O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY,
                         0600));
    struct stat info;
    // Only our own plain file, with no other name, is written in place;
    // anything else there (a link, a device, a pipe) goes the safe way, which
    // replaces a link and refuses the rest.
    if (!fd.valid() || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        info.st_uid != ::geteuid() || info.st_nlink != 1) {
        if (fd.valid())
            fd.close();
        return replace_temp_file(path, pieces);
    }
    if ((info.st_mode & 07777) != 0600 && ::fchmod(fd.get(), 0600) != 0)
        return reason(errno, Action::Write);
    if (!write_all(fd.get(), pieces))
        return reason(errno, Action::Write);
    qsizetype size = 0;
    for (const QByteArrayView piece : pieces)
        size += piece.size();
    // Cut what is left of a longer old text (never to zero first: that would
    // make the file system flush the new data at once).
    if (info.st_size > size && ::ftruncate(fd.get(), off_t(size)) != 0)
        return reason(errno, Action::Write);
    if (fd.close() != 0)
        return reason(errno, Action::Write);
    return QString();
}

QString write_error_reason(int error) {
    return reason(error, Action::Write);
}

QString xdg_folder_path(const char* variable, const char* fallback, const QString& below) {
    QByteArray base = qgetenv(variable);
    if (!base.startsWith('/')) {
        const QByteArray home = home_folder();
        if (!home.startsWith('/'))
            return QString(); // no home folder: nowhere to keep the files
        base = home + '/' + fallback;
    }
    return QDir::cleanPath(QFile::decodeName(base) + QLatin1Char('/') + below);
}

std::optional<QString> ensure_private_dir(const QString& folder, const QString& name,
                                          QString* error) {
    auto refuse = [error](const QString& why) -> std::optional<QString> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (folder.isEmpty())
        return refuse(QStringLiteral("Cartella personale sconosciuta."));
    const QByteArray native = QFile::encodeName(folder);
    const QString cannot = QStringLiteral("Impossibile creare la cartella %1. %2");
    if (!make_folders(native))
        return refuse(cannot.arg(name, reason(errno, Action::Write)));
    struct stat info;
    if (::lstat(native.constData(), &info) != 0)
        return refuse(cannot.arg(name, reason(errno, Action::Write)));
    if (S_ISLNK(info.st_mode))
        return refuse(QStringLiteral("La cartella %1 è un collegamento simbolico.").arg(name));
    if (!S_ISDIR(info.st_mode))
        return refuse(QStringLiteral("La cartella %1 non è una cartella.").arg(name));
    if (info.st_uid != ::geteuid())
        return refuse(QStringLiteral("La cartella %1 appartiene a un altro utente.").arg(name));
    if ((info.st_mode & 077) != 0) {
        // Ours but open to others (made by hand, or by an older program): close it.
        Descriptor fd(::open(native.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!fd.valid() || ::fchmod(fd.get(), 0700) != 0)
            return refuse(
                QStringLiteral("La cartella %1 è accessibile ad altri utenti.").arg(name));
    }
    if (::access(native.constData(), W_OK | X_OK) != 0)
        return refuse(cannot.arg(name, reason(errno, Action::Write)));
    if (error)
        error->clear();
    return folder;
}

std::optional<QString> private_temp_dir(QString* error) {
    return ensure_private_dir(temp_dir_path(), QStringLiteral("temporanea"), error);
}

namespace {

QString temp_file_path(const QString& name) {
    const QString folder = temp_dir_path();
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + name;
}

} // namespace

QString preview_file_path() {
    return temp_file_path(QStringLiteral("tmp.htm"));
}

QString temp_stylesheet_path() {
    return temp_file_path(QStringLiteral("tmp.css"));
}
