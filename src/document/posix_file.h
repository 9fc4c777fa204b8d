#pragma once

// POSIX helpers shared by the file writers of this folder: descriptors and
// the replacement of a file through a new file and a rename.

#include "document/disk_state.h"
#include "document/file_io.h"

#include <sys/types.h>

namespace posix_file {

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
// Writes the pieces at the descriptor's offset. `first_block_hook`: called
// once the first block is written (see stop_here_for_tests()).
bool write_all(int fd, std::initializer_list<QByteArrayView> pieces,
               void (*first_block_hook)() = nullptr);
// Reads the whole file behind `fd` from its start.
bool read_from_start(int fd, qsizetype size_hint, QByteArray* bytes);
// Writes the pieces from the start of the file, cuts what is left of a longer
// old content and flushes it to the disk.
bool write_from_start(int fd, std::initializer_list<QByteArrayView> pieces,
                      void (*first_block_hook)() = nullptr);

struct WriteOptions {
    Links links = Links::Follow;
    bool durable = true;    // flush to the disk before the rename
    mode_t forced_mode = 0; // the new file's mode; 0 keeps the old file's
    // A user's file: where a new file and a rename would not keep it the file
    // it is (see save_user_file), it is rewritten in place instead; either
    // way the save is entered in the journal (see save_journal.h).
    bool keep_file = false;
    FileIdentity* written = nullptr; // set to the identity of the file written
};

// Writes a new file beside `path` and renames it over `path`.
FileError replace_file(const QString& path, std::initializer_list<QByteArrayView> pieces,
                       WriteOptions options);

// True when the file carries extended attributes (ACLs included) that a new
// file would not have; security labels do not count.
bool has_extended_attributes(const QByteArray& path);

// Writes the pieces into the existing regular file `target` (no link), after
// copies of its old and its new content have been flushed to the user's
// backup folder and the save entered in the journal; puts the old content
// back when the write fails. The copies are removed unless the old one is
// the only whole copy left, which the error then names. `written`, when
// given, is set to the identity of the file written.
FileError rewrite_in_place(const QByteArray& target, std::initializer_list<QByteArrayView> pieces,
                           FileIdentity* written = nullptr);

} // namespace posix_file
