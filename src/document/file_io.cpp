#include "document/file_io.h"
#include "document/file_name.h"
#include "document/posix_file.h"
#include "document/save_journal.h"

#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <pwd.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace posix_file {

Descriptor::~Descriptor() {
    if (fd_ >= 0)
        ::close(fd_);
}

int Descriptor::close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result;
}

QByteArray directory_of(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    if (slash == 0)
        return QByteArrayLiteral("/");
    return path.left(slash);
}

namespace {

// Large contents go in blocks of this size, so that a write stopped by a
// signal or a kill is cut at a known place at the latest.
constexpr qsizetype write_block = 8 * 1024 * 1024;

bool write_bytes(int fd, const char* data, qsizetype size, void (**hook)()) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(std::min(size, write_block)));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= written;
        if (*hook)
            std::exchange(*hook, nullptr)();
    }
    return true;
}

} // namespace

bool write_all(int fd, std::initializer_list<QByteArrayView> pieces, void (*first_block_hook)()) {
    for (const QByteArrayView piece : pieces) {
        if (!write_bytes(fd, piece.data(), piece.size(), &first_block_hook))
            return false;
    }
    return true;
}

namespace {

// Larger files are refused rather than read into memory: no HTML document
// this editor handles comes near it.
constexpr qint64 max_read_size = qint64(1) << 30;

// How many symbolic links a document's path may go through before we give up.
constexpr int max_link_depth = 40;

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

// Opens a new, uniquely named file beside `path` for writing. With a
// journal, each name is entered in it before the file is made.
int create_temp_beside(const QByteArray& path, mode_t mode, QByteArray* temp_path,
                       JournalRecord* journal) {
    // Keep the temporary name within the length a file name may have.
    const QByteArray stem = name_of(path).left(100);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray suffix = QByteArray::number(QRandomGenerator::system()->generate(), 36);
        *temp_path = directory_of(path) + "/." + stem + ".marklet-" + suffix;
        if (journal) {
            JournalEntry entry;
            entry.target = path_from_native(path);
            entry.temp = path_from_native(*temp_path);
            // Only a process that ends while it writes leaves the file: no
            // flush to the disk, which would slow every save.
            journal->write(entry, false);
        }
        const int fd = ::open(temp_path->constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
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

FileError replace_file(const QString& path, std::initializer_list<QByteArrayView> pieces,
                       WriteOptions options) {
    using Step = FileError::Step;
    if (path.isEmpty())
        return FileError::refusal(Step::NoName);
    const auto failed = [&path](Step step, int error) {
        return FileError::system(step, error, path);
    };
    QByteArray target = native_path(path);
    if (target.endsWith('/'))
        return failed(Step::Write, EISDIR);
    if (options.links == Links::Follow && !resolve_links(&target))
        return failed(Step::Write, errno);

    // What is there now decides whether it may be replaced and with which mode.
    struct stat old;
    const bool exists = ::lstat(target.constData(), &old) == 0;
    if (!exists && errno != ENOENT)
        return failed(Step::Write, errno);
    if (exists && S_ISDIR(old.st_mode))
        return failed(Step::Write, EISDIR);
    // Devices, pipes and sockets are never replaced by a plain file (as root,
    // that would destroy /dev/full and the like) nor written into.
    if (exists && !S_ISREG(old.st_mode) && !S_ISLNK(old.st_mode))
        return FileError::refusal(Step::NotRegularFile, path);
    const bool old_is_file = exists && S_ISREG(old.st_mode);
    // A file made read-only is not replaced behind its owner's back.
    if (old_is_file && ::faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) != 0)
        return failed(Step::Write, errno);
    // A rename would cut other names off, or drop the attributes.
    const bool keep = options.keep_file && old_is_file;
    if (keep && (old.st_nlink > 1 || has_extended_attributes(target)))
        return rewrite_in_place(target, pieces, options.written);

    QByteArray temp_path;
    const mode_t create_mode = options.forced_mode ? options.forced_mode
                               : old_is_file       ? (old.st_mode & 07777)
                                                   : 0666;
    JournalRecord journal;
    Descriptor fd(create_temp_beside(target, create_mode, &temp_path,
                                     options.keep_file ? &journal : nullptr));
    if (!fd.valid()) {
        // The folder is closed to us, the file is not.
        if (keep && (errno == EACCES || errno == EPERM))
            return rewrite_in_place(target, pieces, options.written);
        return failed(Step::Create, errno);
    }

    auto fail = [&](int error, Step step = Step::Write) {
        ::unlink(temp_path.constData());
        return failed(step, error);
    };
    // open() applied the umask to a new file's 0666; a kept or forced mode is set exactly.
    if (options.forced_mode || old_is_file) {
        if (old_is_file && !options.forced_mode &&
            (old.st_uid != ::geteuid() || old.st_gid != ::getegid())) {
            // Keeps the owner where we may (root editing a user's file).
            [[maybe_unused]] const int ignored = ::fchown(fd.get(), old.st_uid, old.st_gid);
        }
        struct stat made;
        if (keep && ::fstat(fd.get(), &made) == 0 &&
            (made.st_uid != old.st_uid || made.st_gid != old.st_gid)) {
            // Another's file would become ours.
            fd.close();
            ::unlink(temp_path.constData());
            return rewrite_in_place(target, pieces, options.written);
        }
        if (::fchmod(fd.get(), create_mode) != 0)
            return fail(errno);
    }
    if (!write_all(fd.get(), pieces, options.keep_file ? stop_here_for_tests : nullptr))
        return fail(errno);
    if (options.durable && ::fsync(fd.get()) != 0)
        return fail(errno);
    if (options.written)
        *options.written = identity_of_descriptor(fd.get());
    if (fd.close() != 0)
        return fail(errno);
    if (::rename(temp_path.constData(), target.constData()) != 0)
        return fail(errno, Step::Rename);
    if (options.durable) {
        Descriptor folder(::open(directory_of(target).constData(), O_RDONLY | O_DIRECTORY));
        if (folder.valid())
            ::fsync(folder.get());
    }
    return {};
}

} // namespace posix_file

using namespace posix_file;

ReadResult read_whole_file(const QString& path) {
    using Step = FileError::Step;
    ReadResult result;
    if (path.isEmpty()) {
        result.error = FileError::refusal(Step::NoName);
        return result;
    }
    // Non-blocking, so that opening a named pipe does not hang before we can refuse it.
    Descriptor fd(
        ::open(native_path(path).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!fd.valid()) {
        result.error = FileError::system(Step::Open, errno, path);
        return result;
    }
    struct stat info;
    if (::fstat(fd.get(), &info) != 0) {
        result.error = FileError::system(Step::Read, errno, path);
        return result;
    }
    if (S_ISDIR(info.st_mode)) {
        result.error = FileError::system(Step::Read, EISDIR, path);
        return result;
    }
    if (!S_ISREG(info.st_mode)) {
        result.error = FileError::refusal(Step::NotRegularFile, path);
        return result;
    }
    result.identity = identity_of_descriptor(fd.get());
    if (info.st_size > max_read_size) {
        result.error = FileError::system(Step::Read, EFBIG, path);
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
                result.error = FileError::system(Step::Read, EFBIG, path);
                return result;
            }
            bytes.resize(bytes.size() * 2 + 4096);
        }
        const ssize_t got =
            ::read(fd.get(), bytes.data() + filled, static_cast<size_t>(bytes.size() - filled));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            result.error = FileError::system(Step::Read, errno, path);
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

FileError write_file_atomically(const QString& path, const QByteArray& bytes, Links links) {
    return write_file_atomically(path, {QByteArrayView(bytes)}, links);
}

FileError write_file_atomically(const QString& path, std::initializer_list<QByteArrayView> pieces,
                                Links links) {
    WriteOptions options;
    options.links = links;
    return replace_file(path, pieces, options);
}

FileError save_user_file(const QString& path, std::initializer_list<QByteArrayView> pieces,
                         FileIdentity* written) {
    WriteOptions options;
    options.keep_file = true;
    options.written = written;
    return replace_file(path, pieces, options);
}
