#pragma once

// Whole files read and written by the tests, outside the program's own code.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <sys/stat.h>

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

// lstat(): a symbolic link is described, not what it points to.
inline struct stat status_of(const QString& path) {
    struct stat info {};
    ::lstat(native(path).constData(), &info);
    return info;
}

inline unsigned mode_bits(const QString& path) {
    return status_of(path).st_mode & 07777;
}
