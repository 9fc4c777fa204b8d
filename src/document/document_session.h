#pragma once

#include "document/disk_state.h"
#include "document/document_codec.h"
#include "document/file_error.h"

#include <QByteArrayView>
#include <QObject>
#include <QString>
#include <array>
#include <optional>

class DialogProvider;
class DiskWatch;
class RecoveryKeeper;
struct InterruptedSave;
struct PendingRecovery;

// The file a text belongs to, and the form it is kept in there.
struct FileForm {
    QString path; // empty: in no file yet
    Encoding encoding = Encoding::Utf8;
    LineBreak line_break = LineBreak::CrLf;
};

// The edit area as the document session uses it: the whole text as UTF-8,
// the point at which it was last saved, and the text's file form.
class DocumentBuffer {
  public:
    virtual ~DocumentBuffer() = default;
    // The one copy of the file form: the session sets it, the readers of the
    // text (the preview file, the status bar) read it here.
    virtual const FileForm& form() const = 0;
    // Also makes Enter insert the form's line break.
    virtual void set_form(const FileForm& form) = 0;
    // Replaces the whole text with a document's text as UTF-8; the undo
    // history starts afresh. `file_size`: the size of the file it came from.
    virtual void load(QByteArrayView utf8, qsizetype file_size) = 0;
    // Replaces the whole text with the file's text read again, as one step
    // the user can undo.
    virtual void reload(QByteArrayView utf8) = 0;
    // The text as UTF-8, in two runs; valid until the next change.
    virtual std::array<QByteArrayView, 2> utf8_parts() const = 0;
    // The text as characters.
    virtual QString text() const = 0;
    // True while the text differs from its save point.
    virtual bool is_modified() const = 0;
    virtual void set_save_point() = 0;
    // Replaces the bytes [from, to) of the UTF-8 text: one change, one undo step.
    virtual void replace(qsizetype from, qsizetype to, QByteArrayView utf8) = 0;
};

// The questions the session asks the user, and the failures it tells.
class DocumentQuestions {
  public:
    virtual ~DocumentQuestions() = default;

    enum class Unsaved { Save, Discard, Cancel };
    // "Salvare le modifiche?"
    virtual Unsaved unsaved_changes() = 0;
    enum class Unencodable { References, Utf8, Cancel };
    struct EncodingAnswer {
        Unencodable choice = Unencodable::Cancel;
        bool update_declaration = false; // with Utf8: the page's declaration says so too
    };
    // The document holds `characters`, which its encoding (Windows-1252, the
    // only one that cannot hold every character) cannot. `declared`:
    // the label of the page's own declaration of another encoding than UTF-8
    // ("windows-1252"), which a page saved in UTF-8 should not keep; empty
    // when there is none.
    virtual EncodingAnswer unencodable(const QString& characters, const QString& declared) = 0;
    // Saving under the name of another existing file: true to replace it.
    virtual bool replace(const QString& path) = 0;
    // A text kept for a Marklet that ended without saving: true to take it.
    virtual bool recover(const PendingRecovery& pending) = 0;
    // The document's file was changed by another program since it was read
    // or written here: true to write over it all the same.
    virtual bool overwrite_changed(const QString& path) = 0;
    // Reading the file again drops the unsaved changes: true to go on.
    virtual bool reload_over_changes() = 0;
    // A save that a Marklet killed midway did not end, seen to at start.
    virtual void interrupted_save(const InterruptedSave& save) = 0;
    // The document's folder was removed since the document was opened.
    virtual void folder_missing(const QString& folder) = 0;
    enum class Task { Open, Reload, Save, Recover };
    // `task` on the file `path` failed with `error`.
    virtual void failure(Task task, const QString& path, const FileError& error) = 0;
};

// How a window's session goes beyond opening and saving its text. The main
// window's document takes the defaults; the CSS editor's stylesheet keeps no
// recovery copy and no watch on its file, asks a name at every save, counts a
// file it reads as a change, and saves characters its encoding lacks in UTF-8
// with a byte-order mark (a stylesheet has no character references).
struct SessionPolicy {
    // save() shows the save dialog even when the text has a file.
    bool save_asks_name = false;
    // A copy of the unsaved text is kept for recovery after a crash.
    bool keeps_recovery_copy = true;
    // The file is watched for changes by other programs, and never written
    // over unasked when it has some.
    bool watches_disk = true;
    // A text read from a file counts as unsaved, as an edit does, until it is
    // saved or given up.
    bool loaded_text_unsaved = false;
    // The encoding the text is saved in when its own cannot hold it and the
    // user picks UTF-8.
    Encoding utf8_choice = Encoding::Utf8;
};

// The document of a window: its file, the file's encoding and line break,
// whether the text is saved, and its recovery copy. Opens, saves and
// recovers it, asking through DocumentQuestions and the file dialogs.
//
// Ownership: the buffer, dialogs and questions belong to the caller and
// outlive the session; the recovery keeper and the disk watch are the
// session's Qt children (none when the policy keeps neither).
class DocumentSession : public QObject {
    Q_OBJECT
  public:
    DocumentSession(DocumentBuffer& buffer, DialogProvider& dialogs, DocumentQuestions& questions,
                    const SessionPolicy& policy = {}, QObject* parent = nullptr);
    ~DocumentSession() override;

    // Each returns true when it did its work; false when the user cancelled
    // or it failed (and the user was told why).
    bool open();                         // unsaved changes first, then the open dialog
    bool open_path(const QString& path); // e.g. from the command line
    bool new_document();                 // unsaved changes first, then an empty, unnamed text
    bool save();                         // to the document's own file; else as save_as()
    bool save_as();                      // always the save dialog
    bool settle_unsaved_changes();       // asks when there are any; true: go on
    bool offer_recovery();               // true when a text was recovered
    // At start: the saves a killed Marklet left unfinished, then a text kept
    // for recovery, then the file named on the command line (empty: none),
    // which is never dropped without a word.
    void start(const QString& path);

    // Whether the document's file is still what was last read or written
    // here (see DiskState). Looked at when the window gets the focus, when
    // the file or its folder changes (see DiskWatch) and before each save
    // over it; disk_changed() tells each new finding.
    DiskChange check_disk();
    // Reads the document's file again, as one undo step; with unsaved
    // changes, asks first.
    bool reload();
    // The user keeps the text as it is: the file as it is now raises no
    // notice again (a save over it still asks).
    void ignore_disk_change();
    // The window closes and its text goes: nothing of it counts as unsaved
    // any more, and no recovery copy is left.
    void close();
    // The text counts as unsaved until it is saved, replaced or given up,
    // whatever the buffer says: a window's text takes over changes an earlier
    // window of it left unsettled.
    void mark_unsaved();

    // The edit area's notices.
    void text_changed();
    void modification_changed();

    QString path() const { return buffer_.form().path; }
    Encoding encoding() const { return buffer_.form().encoding; }
    LineBreak line_break() const { return buffer_.form().line_break; }
    // Unsaved: changed since the last save, or recovered (or, by the policy,
    // read from a file, or marked) and not saved yet.
    bool is_modified() const;
    // "name * - Marklet"
    QString title() const;
    // Null when the policy keeps no recovery copy.
    RecoveryKeeper* recovery() const { return recovery_; }

  signals:
    // The file, its encoding, or whether the text is saved changed.
    void changed();
    // A line for the status bar; `timeout` in milliseconds, 0: until replaced.
    void message(const QString& text, int timeout);
    // The document's file changed on disk, was removed, or (None) is as it
    // was again, or the change was dealt with.
    void disk_changed(DiskChange change);
    // A recovery copy the user declined could not be removed.
    void discard_failed(const FileError& error);

  private:
    bool load(const QString& path);
    bool write_to(const QString& path);
    // True when `chosen` is an existing file other than the document's own.
    bool is_other_file(const QString& chosen) const;
    // The file at `path` was just read or written: `identity`, `hash`.
    void remember_file(const QString& path, const FileIdentity& identity, quint64 hash);
    // Before a save to `path`: asks when it is the document's file and
    // another program changed it. True: go on.
    bool confirm_overwrite(const QString& path);
    void tell_disk(DiskChange change);
    // The text is the file's now (or a new document's): nothing recovered,
    // nothing held unsaved but what `held_unsaved` says, no recovery copy.
    void at_save_point(bool held_unsaved);
    void clear_recovery();

    DocumentBuffer& buffer_;
    DialogProvider& dialogs_;
    DocumentQuestions& questions_;
    const SessionPolicy policy_;
    RecoveryKeeper* recovery_ = nullptr;
    // The text came from a recovery copy: unsaved, whatever the buffer says.
    bool recovered_ = false;
    // Unsaved by the policy (a text read from a file) or by mark_unsaved().
    bool held_unsaved_ = false;
    DiskState disk_;
    DiskWatch* watch_ = nullptr;
    DiskChange told_ = DiskChange::None;
    // The file as it was when the user chose to ignore its change.
    std::optional<FileIdentity> ignored_;
};
