#pragma once

#include "document/file_error.h"

#include <QList>
#include <QString>
#include <optional>

// The journal of the saves of users' files in progress, so that a Marklet
// killed in the middle of one leaves nothing half done that the next start
// does not see to. Each save has an entry in $XDG_DATA_HOME/marklet/journal
// (mode 0700) named after the process that writes it, like the recovery
// files (see recovery_file.h): a start looks only at the entries of
// processes no longer running, and takes each one over by a rename first, so
// of two Marklets starting at once only one deals with it.
//
// - A save through a new file and a rename records the new file's name
//   before it is made; the next start removes that file if it is still there
//   (the user's file itself was never touched).
// - A save in place records the file, its old content's copy and its new
//   content's copy in the backup folder; both copies are complete and flushed
//   before the file is touched. The next start finishes the write from the
//   new copy when the file holds old and new bytes mixed, or leaves it alone
//   when it was changed since, and says so.

struct JournalEntry {
    enum class Kind { Replace, InPlace };
    enum class Stage { Copying, Writing };
    Kind kind = Kind::Replace;
    Stage stage = Stage::Copying;
    QString target;   // the user's file (links resolved)
    QString temp;     // Replace: the new file beside it
    QString old_copy; // InPlace: the copies in the backup folder
    QString new_copy;
    quint64 device = 0, inode = 0; // InPlace: the file's identity
    qint64 old_size = 0, new_size = 0;
};

QByteArray encode_journal_entry(const JournalEntry& entry);
std::optional<JournalEntry> decode_journal_entry(const QByteArray& bytes);

// One entry of this process, removed when it goes.
class JournalRecord {
  public:
    JournalRecord();
    ~JournalRecord();
    JournalRecord(const JournalRecord&) = delete;
    JournalRecord& operator=(const JournalRecord&) = delete;
    // Writes (or rewrites) the entry; `durable`: flushed to the disk first.
    // What failed, if anything.
    FileError write(const JournalEntry& entry, bool durable);
    void remove();

  private:
    QString path_;
    bool written_ = false;
};

// What a start found of a save that a Marklet did not live to end.
struct InterruptedSave {
    enum class Outcome {
        Finished,     // the file was completed with the saved text
        RolledBack,   // the file holds its old content again
        ChangedSince, // the file is neither (changed or replaced since): untouched
        WriteFailed,  // it could not be read or written: see `error`
    };
    Outcome outcome = Outcome::Finished;
    QString target;
    QString restored_from; // the copy written into the file (Finished, RolledBack)
    QString old_copy;      // kept copies, empty when removed
    QString new_copy;
    FileError error; // WriteFailed: what failed
};

// Deals with the entries of Marklets no longer running: removes what a
// save through a rename left, finishes or rolls back a save in place. The
// saves in place it found, with what it did.
QList<InterruptedSave> settle_interrupted_saves();

// The folder of the entries (made when missing); nothing, with what failed in
// `error`, when it cannot be.
std::optional<QString> journal_dir(FileError* error = nullptr);

// For the tests that kill a save midway: with MARKLET_STOP_DURING_SAVE set,
// the process stops itself (SIGSTOP) once the first block of a user's file
// has been written, so that a test can kill it right there.
void stop_here_for_tests();
