#include "document/temp_files.h"

#include "document/file_name.h"
#include "document/posix_file.h"
#include "document/process_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace posix_file;

namespace {

QByteArray home_folder() {
    QByteArray home = qgetenv("HOME");
    if (home.isEmpty()) {
        if (const passwd* user = ::getpwuid(::getuid()))
            home = user->pw_dir;
    }
    return home;
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

// None when `path` may be written as a temporary file: it lies in this
// process's folder, which exists (made now when missing).
FileError temp_file_refusal(const QString& path) {
    FileError error;
    const std::optional<QString> folder = process_temp_dir(&error);
    if (!folder)
        return error;
    if (QDir::cleanPath(QFileInfo(path).absolutePath()) != *folder)
        return FileError::refusal(FileError::Step::OutsideOwnFolder, path);
    return {};
}

// A new temporary file in place of the old, once its path has been checked.
FileError replace_temp_file(const QString& path, std::initializer_list<QByteArrayView> pieces) {
    WriteOptions options;
    options.links = Links::Replace;
    // Rewritten at every keystroke and worthless after a crash: no flush to the disk.
    options.durable = false;
    options.forced_mode = 0600;
    return replace_file(path, pieces, options);
}

QString temp_file_path(const QString& name) {
    const QString folder = process_temp_dir_path();
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + name;
}

} // namespace

FileError write_temp_file(const QString& path, const QByteArray& bytes) {
    return write_temp_file(path, {QByteArrayView(bytes)});
}

FileError write_temp_file(const QString& path, std::initializer_list<QByteArrayView> pieces) {
    if (FileError refusal = temp_file_refusal(path); refusal.failed())
        return refusal;
    return replace_temp_file(path, pieces);
}

FileError rewrite_temp_file(const QString& path, std::initializer_list<QByteArrayView> pieces) {
    if (FileError refusal = temp_file_refusal(path); refusal.failed())
        return refusal;
    const QByteArray native = native_path(path);
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
    const auto failed = [&path] { return FileError::system(FileError::Step::Write, errno, path); };
    if ((info.st_mode & 07777) != 0600 && ::fchmod(fd.get(), 0600) != 0)
        return failed();
    if (!write_all(fd.get(), pieces))
        return failed();
    qsizetype size = 0;
    for (const QByteArrayView piece : pieces)
        size += piece.size();
    // Cut what is left of a longer old text (never to zero first: that would
    // make the file system flush the new data at once).
    if (info.st_size > size && ::ftruncate(fd.get(), off_t(size)) != 0)
        return failed();
    if (fd.close() != 0)
        return failed();
    return {};
}

QString xdg_folder_path(const char* variable, const char* fallback, const QString& below) {
    QByteArray base = qgetenv(variable);
    if (!base.startsWith('/')) {
        const QByteArray home = home_folder();
        if (!home.startsWith('/'))
            return QString(); // no home folder: nowhere to keep the files
        base = home + '/' + fallback;
    }
    return QDir::cleanPath(path_from_native(base) + QLatin1Char('/') + below);
}

std::optional<QString> ensure_private_dir(const QString& folder, FileError::Folder name,
                                          FileError* error) {
    using Step = FileError::Step;
    auto refuse = [error, &folder, name](Step step, int code = 0) -> std::optional<QString> {
        if (error) {
            *error = FileError::system(step, code, folder);
            error->folder = name;
        }
        return std::nullopt;
    };
    if (folder.isEmpty())
        return refuse(Step::NoHomeFolder);
    const QByteArray native = native_path(folder);
    if (!make_folders(native))
        return refuse(Step::CreateFolder, errno);
    struct stat info;
    if (::lstat(native.constData(), &info) != 0)
        return refuse(Step::CreateFolder, errno);
    if (S_ISLNK(info.st_mode))
        return refuse(Step::FolderIsLink);
    if (!S_ISDIR(info.st_mode))
        return refuse(Step::NotAFolder);
    if (info.st_uid != ::geteuid())
        return refuse(Step::FolderOfOtherUser);
    if ((info.st_mode & 077) != 0) {
        // Ours but open to others (made by hand, or by an older program): close it.
        Descriptor fd(::open(native.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!fd.valid() || ::fchmod(fd.get(), 0700) != 0)
            return refuse(Step::FolderOpen);
    }
    if (::access(native.constData(), W_OK | X_OK) != 0)
        return refuse(Step::CreateFolder, errno);
    if (error)
        *error = {};
    return folder;
}

QString private_temp_dir_path() {
    return xdg_folder_path("XDG_CACHE_HOME", ".cache", QStringLiteral("marklet"));
}

std::optional<QString> private_temp_dir(FileError* error) {
    return ensure_private_dir(private_temp_dir_path(), FileError::Folder::Temporary, error);
}

QString preview_file_path() {
    return temp_file_path(QStringLiteral("tmp.htm"));
}

QString temp_stylesheet_path() {
    const QString folder = private_temp_dir_path();
    return folder.isEmpty() ? QString() : folder + QStringLiteral("/tmp.css");
}

FileError write_temp_stylesheet(const QByteArray& bytes) {
    FileError error;
    if (!private_temp_dir(&error))
        return error;
    WriteOptions options;
    options.links = Links::Replace;
    options.forced_mode = 0600;
    return replace_file(temp_stylesheet_path(), {QByteArrayView(bytes)}, options);
}

QString browser_copy_path() {
    return temp_file_path(QStringLiteral("anteprima.htm"));
}
