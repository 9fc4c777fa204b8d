#pragma once

// Whole files read and written by the tests, outside the program's own code.

#include "document/file_name.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

inline QByteArray native(const QString& path) {
    return QFile::encodeName(path);
}

// The file's bytes, or "<missing>" when it cannot be read.
inline QByteArray read_bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline bool write_bytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// The same for names of any bytes (see document/file_name.h).
inline QByteArray read_native(const QString& path) {
    QFile file;
    const int fd = ::open(native_path(path).constData(), O_RDONLY | O_CLOEXEC);
    return fd >= 0 && file.open(fd, QIODevice::ReadOnly, QFile::AutoCloseHandle) ? file.readAll()
                                                                                 : "<missing>";
}

inline bool write_native(const QString& path, const QByteArray& bytes) {
    const int fd =
        ::open(native_path(path).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const bool written =
        fd >= 0 && ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    return fd >= 0 && ::close(fd) == 0 && written;
}

// lstat(): a symbolic link is described, not what it points to.
inline struct stat status_of(const QString& path) {
    struct stat info {};
    ::lstat(native(path).constData(), &info);
    return info;
}

inline unsigned mode_bits(const QString& path) {
    return status_of(path).st_mode & 07777;
}
