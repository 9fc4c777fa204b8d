#pragma once

#include "document/file_error.h"

#include "document/document_codec.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

// Recovery of unsaved work. While a document has unsaved changes its text is
// kept in a recovery file in the program's private data folder, rewritten
// (atomically) after each pause in typing. A clean save, a discard or a normal
// exit removes the file; after a crash it stays, and the next start offers it.
//
// Several Marklet processes may run at once: each names its files after
// itself (process id, the process's start time and the machine's boot), so
// none overwrites another's, and a start offers only the files of processes
// that are no longer running, never those of a Marklet still open.

// What a recovery file holds: the text and what is needed to save it again.
struct RecoveryRecord {
    QString text;
    QString document_path; // empty for a document never saved
    Encoding encoding = Encoding::Utf8;
    LineBreak line_break = LineBreak::CrLf;
    QDateTime saved_at; // when the file was written
};

// The file's bytes: a short header of "key: value" lines, an empty line, and
// the text in UTF-8. The document path is percent-encoded, so any file name
// (newlines included) survives.
QByteArray encode_recovery(const RecoveryRecord& record);
// Everything of a recovery file up to and including the empty line.
QByteArray encode_recovery_header(const RecoveryRecord& record);
// Nothing when the bytes are not a recovery file.
std::optional<RecoveryRecord> decode_recovery(const QByteArray& bytes);

// $XDG_DATA_HOME/marklet/recovery (default ~/.local/share/marklet/recovery),
// created with mode 0700. Refuses (nothing, with what failed in `error`) a
// folder that cannot be made, a symbolic link, or a folder of another user.
std::optional<QString> recovery_dir(FileError* error = nullptr);
// Where that folder is, without making it; empty when there is no home folder.
QString recovery_dir_path();

// Tells a running process from an ended one that had the same id.
struct ProcessIdentity {
    qint64 pid = 0;
    quint64 start = 0; // clock ticks after boot; 0 when unknown
    QString boot;      // a few characters of the boot id; "0" when unknown
    friend bool operator==(const ProcessIdentity&, const ProcessIdentity&) = default;
};
ProcessIdentity identity_of(qint64 pid);
ProcessIdentity this_process();
// True while that very process runs (a zombie counts as ended).
bool is_running(const ProcessIdentity& process);

// "<pid>-<start>-<boot>-<serial>.recovery", and back.
QString recovery_file_name(const ProcessIdentity& process, int serial);
std::optional<ProcessIdentity> writer_of(const QString& file_name);

// A recovery file left by a process that is no longer running.
struct PendingRecovery {
    QString file;          // full path of the recovery file
    QString document_path; // the document it belongs to; empty when never saved
    QDateTime saved_at;
};

// Every recovery file of an ended process, newest first. Files that are not
// recovery files are left alone and not offered.
QList<PendingRecovery> pending_recoveries();
// The newest of them.
std::optional<PendingRecovery> pending_recovery();
// Removes an offered file the user does not want. What failed, if anything.
FileError discard_recovery(const PendingRecovery& pending);
