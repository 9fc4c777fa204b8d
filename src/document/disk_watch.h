#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

// Watches a document's file and its folder for changes made by anyone: the
// file written, replaced by another through a rename (the watch then moves
// to the new file), removed or moved away, or made again. Each burst of
// changes gives one touched() a moment after it ends; what changed is for
// the caller to find out (see DiskState). A name the system's watch cannot
// be given (one that is not UTF-8) is seen through its folder only.
//
// Ownership: a plain QObject, a child of the document's session.
class DiskWatch : public QObject {
    Q_OBJECT
  public:
    explicit DiskWatch(QObject* parent = nullptr);
    // The file to watch; empty: none.
    void watch(const QString& path);
    const QString& path() const { return path_; }

  signals:
    void touched();

  private:
    void rearm();

    QFileSystemWatcher watcher_;
    QTimer settle_;
    QString path_;
    quint64 watched_inode_ = 0;
};
