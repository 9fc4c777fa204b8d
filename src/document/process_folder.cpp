#include "document/process_folder.h"

#include "document/file_name.h"
#include "document/temp_files.h"

#include <QFile>
#include <QRegularExpression>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The folder's name is asked for at every keystroke (the preview's path):
// worked out once per process id.
QString own_folder_name() {
    static qint64 pid = 0;
    static QString name;
    if (pid != ::getpid()) {
        pid = ::getpid();
        name = process_folder_name(this_process());
    }
    return name;
}

// Empties a folder of one of our processes and removes it. Only the folder's
// own entries go, never anything a link in it points to; a folder inside it
// (none is ever made there) is left, and with it the folder.
void remove_folder(const QString& folder) {
    const QByteArray native = native_path(folder);
    const int fd = ::open(native.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return;
    if (DIR* dir = ::fdopendir(fd)) {
        while (const dirent* entry = ::readdir(dir)) {
            const QByteArray name(entry->d_name);
            if (name != "." && name != "..")
                ::unlinkat(fd, entry->d_name, 0);
        }
        ::closedir(dir); // closes fd too
    } else {
        ::close(fd);
    }
    ::rmdir(native.constData());
}

} // namespace

QString process_folder_name(const ProcessIdentity& process) {
    return QStringLiteral("run-%1-%2-%3").arg(process.pid).arg(process.start).arg(process.boot);
}

std::optional<ProcessIdentity> owner_of_process_folder(const QString& name) {
    static const QRegularExpression pattern(
        QStringLiteral("^run-([0-9]+)-([0-9]+)-([0-9a-zA-Z]+)$"));
    const QRegularExpressionMatch match = pattern.match(name);
    if (!match.hasMatch())
        return std::nullopt;
    return ProcessIdentity{match.captured(1).toLongLong(), match.captured(2).toULongLong(),
                           match.captured(3)};
}

QString process_temp_dir_path() {
    const QString base = private_temp_dir_path();
    return base.isEmpty() ? QString() : base + QLatin1Char('/') + own_folder_name();
}

std::optional<QString> process_temp_dir(FileError* error) {
    // The private folder is checked first (a link, another user's folder):
    // what lies inside it is then ours alone.
    const std::optional<QString> base = private_temp_dir(error);
    if (!base)
        return std::nullopt;
    return ensure_private_dir(*base + QLatin1Char('/') + own_folder_name(),
                              FileError::Folder::Temporary, error);
}

void remove_stale_process_dirs() {
    const std::optional<QString> base = private_temp_dir();
    if (!base)
        return;
    for (const QString& name : names_in(*base)) {
        const auto owner = owner_of_process_folder(name);
        if (owner && !is_running(*owner))
            remove_folder(*base + u'/' + name);
    }
    // Older versions shared one preview between windows. (The temporary
    // stylesheet is shared, and stays.)
    ::unlink(native_path(*base + QStringLiteral("/tmp.htm")).constData());
}

void remove_process_temp_dir() {
    const QString folder = process_temp_dir_path();
    if (!folder.isEmpty())
        remove_folder(folder);
}
