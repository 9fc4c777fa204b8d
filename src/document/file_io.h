#pragma once

#include "document/disk_state.h"
#include "document/file_error.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <initializer_list>
#include <optional>

// Reading and writing whole files without ever leaving a half-written one.

struct ReadResult {
    QByteArray bytes;
    FileError error;       // Step::None on success
    FileIdentity identity; // of the file read, as it was opened
    bool ok() const { return error.ok(); }
};

// Reads a whole regular file (a name of any bytes, see file_name.h). A missing file, a directory,
// an unreadable file give an error, never a crash.
ReadResult read_whole_file(const QString& path);

// Writes the bytes through a temporary file in the same folder and a rename,
// so readers see either the old or the new content, never a part. Returns
// what failed, if anything (read-only folder, disk full, path is a folder, ...).
// A user's document that is a symbolic link is written through the link (the
// link stays); with Links::Replace a link at `path` is replaced by a plain
// file and its target is never touched (for the program's temporary files).
enum class Links { Follow, Replace };
FileError write_file_atomically(const QString& path, const QByteArray& bytes,
                                Links links = Links::Follow);
// The same with the content given in pieces, written one after the other.
FileError write_file_atomically(const QString& path, std::initializer_list<QByteArrayView> pieces,
                                Links links = Links::Follow);

// Saves a user's file (a document, a stylesheet), following links as above.
// A new file and a rename where that keeps the file what it was; in place
// where a rename would not: the folder is closed to us but the file is not,
// the file has other names (hard links), belongs to someone else or carries
// ACLs or extended attributes. In place, copies of the old and the new
// content are first flushed to $XDG_DATA_HOME/marklet/backup; the old one is
// put back when the write fails (the error's purpose then says so). Both go after a
// good write. Either way the save is entered in the journal, so that a
// process killed midway leaves nothing the next start does not see to (see
// save_journal.h). `written`: set to the identity of the file written.
FileError save_user_file(const QString& path, std::initializer_list<QByteArrayView> pieces,
                         FileIdentity* written = nullptr);
