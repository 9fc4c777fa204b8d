#pragma once

#include <QString>

// What went wrong with a file, as a value: the step that failed, the file or
// folder it failed on and the system's error number. The words the user
// reads are chosen by the windows (see dialogs/file_error_text.h).
struct FileError {
    enum class Step {
        None, // no error
        // A system call failed with `code` (an errno value).
        Open,         // opening a file to read it
        Read,         // reading it
        Create,       // making a new file
        Write,        // writing, flushing, closing, replacing a file
        Rename,       // moving a file into place
        Remove,       // removing a file
        CreateFolder, // making one of the program's folders
        // Refusals of our own, with no system error.
        NoName,            // no file name was given
        NotRegularFile,    // a device, a pipe, a socket
        NotText,           // the bytes are not a text
        OutsideOwnFolder,  // a temporary file outside this process's folder
        NoHomeFolder,      // nowhere to keep the program's folders
        FolderIsLink,      // one of the program's folders is a symbolic link,
        NotAFolder,        // not a folder,
        FolderOfOtherUser, // another user's,
        FolderOpen,        // open to others and cannot be closed
        NotRecoveryFile,   // an offered recovery file is not one of ours
        RecoveryTaken,     // this window keeps a recovery file already
        AlreadyRecovered,  // another Marklet took the recovery file
        RecoveryUnreadable,
    };
    // The program's own folders, for the steps about them.
    enum class Folder { None, Temporary, Recovery, Journal, Backup };
    // What the failure was part of, when the user needs to know.
    enum class Purpose {
        None,
        WriteRecovery,   // keeping the recovery copy
        RemoveRecovery,  // removing it
        TakeRecovery,    // taking over an offered one
        InPlaceNoBackup, // a save in place whose safety copies could not be made
        InPlaceRestored, // a save in place failed; the old content is back
        InPlaceKept,     // ... and could not be put back: it is in `kept`
    };

    Step step = Step::None;
    int code = 0; // errno, for the system steps
    QString path;
    Folder folder = Folder::None;
    Purpose purpose = Purpose::None;
    QString kept; // InPlaceKept: the copy of the old content

    bool failed() const { return step != Step::None; }
    bool ok() const { return step == Step::None; }

    static FileError system(Step step, int code, const QString& path = {}) {
        FileError error;
        error.step = step;
        error.code = code;
        error.path = path;
        return error;
    }
    static FileError refusal(Step step, const QString& path = {}) { return system(step, 0, path); }
    FileError& about(Purpose why) {
        purpose = why;
        return *this;
    }
    bool operator==(const FileError&) const = default;
};
