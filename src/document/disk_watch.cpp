#include "document/disk_watch.h"

#include "document/disk_state.h"
#include "document/file_name.h"

#include <QFile>

namespace {

// A path the watcher can be given: Qt passes it to the system as UTF-8.
bool watchable(const QString& path) {
    return !path.isEmpty() && QFile::encodeName(path) == native_path(path);
}

} // namespace

DiskWatch::DiskWatch(QObject* parent) : QObject(parent) {
    // Another program's save is often several steps (write a new file,
    // rename it, set its mode): told once they are done.
    settle_.setSingleShot(true);
    settle_.setInterval(150);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, &settle_, qOverload<>(&QTimer::start));
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, &settle_,
            qOverload<>(&QTimer::start));
    connect(&settle_, &QTimer::timeout, this, [this] {
        rearm();
        emit touched();
    });
}

void DiskWatch::watch(const QString& path) {
    if (path == path_) {
        rearm();
        return;
    }
    if (const QStringList watched = watcher_.files() + watcher_.directories(); !watched.isEmpty())
        watcher_.removePaths(watched);
    settle_.stop();
    path_ = path;
    watched_inode_ = 0;
    if (path.isEmpty())
        return;
    if (const QString folder = folder_of(path); watchable(folder))
        watcher_.addPath(folder);
    rearm();
}

void DiskWatch::rearm() {
    if (!watchable(path_))
        return;
    // A file replaced through a rename is another file: the system's watch
    // stays with the old one, gone or not.
    const FileIdentity now = identity_at(path_);
    const quint64 inode = now.exists ? now.inode : 0;
    const bool watched = watcher_.files().contains(path_);
    if (watched && inode == watched_inode_)
        return;
    if (watched)
        watcher_.removePath(path_);
    watched_inode_ = inode;
    if (inode)
        watcher_.addPath(path_);
}
