#pragma once

// POSIX helpers shared by the file writers of this folder: descriptors, the
// reasons told to the user, and the replacement of a file through a new file
// and a rename.

#include "document/file_io.h"

#include <sys/types.h>

namespace posix_file {

enum class Action { Read, Write };

// The reason for a failed read or write (an errno value), in Italian.
QString reason(int error, Action action);
QString not_regular_file();

// Closes a descriptor when it goes out of scope.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor();
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now and reports the close's own error (NFS reports write errors there).
    int close();

  private:
    int fd_;
};

QByteArray directory_of(const QByteArray& path);
bool write_all(int fd, std::initializer_list<QByteArrayView> pieces);

struct WriteOptions {
    Links links = Links::Follow;
    bool durable = true;    // flush to the disk before the rename
    mode_t forced_mode = 0; // the new file's mode; 0 keeps the old file's
};

// Writes a new file beside `path` and renames it over `path`.
QString replace_file(const QString& path, std::initializer_list<QByteArrayView> pieces,
                     WriteOptions options);

} // namespace posix_file
