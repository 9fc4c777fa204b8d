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
    // A user's file: where a new file and a rename would not keep it the file
    // it is (see save_user_file), it is rewritten in place instead.
    bool keep_file = false;
};

// Writes a new file beside `path` and renames it over `path`.
QString replace_file(const QString& path, std::initializer_list<QByteArrayView> pieces,
                     WriteOptions options);

// True when the file carries extended attributes (ACLs included) that a new
// file would not have; security labels do not count.
bool has_extended_attributes(const QByteArray& path);

// Writes the pieces into the existing regular file `target` (no link), after
// a copy of its old content has been flushed to the user's backup folder;
// puts the old content back when the write fails. The copy is removed unless
// it is the only whole copy left, which the reason then names.
QString rewrite_in_place(const QByteArray& target, std::initializer_list<QByteArrayView> pieces);

} // namespace posix_file
