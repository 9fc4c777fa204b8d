#pragma once

#include "app/document_codec.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <functional>
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
// Nothing when the bytes are not a recovery file.
std::optional<RecoveryRecord> decode_recovery(const QByteArray& bytes);

// $XDG_DATA_HOME/marklet/recovery (default ~/.local/share/marklet/recovery),
// created with mode 0700. Refuses (nothing, with the reason in `error`) a
// folder that cannot be made, a symbolic link, or a folder of another user.
std::optional<QString> recovery_dir(QString* error = nullptr);

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
// Removes an offered file the user does not want. Empty on success, else the reason.
QString discard_recovery(const PendingRecovery& pending);

// The document a recovery file belongs to, as the keeper is told of it.
struct RecoveryDocument {
    QString path; // empty for a document never saved
    Encoding encoding = Encoding::Utf8;
    LineBreak line_break = LineBreak::CrLf;
};

// Keeps the recovery file of one document of this process.
//
// Ownership: a plain QObject, usually a child of the window whose document it
// keeps. Destroying it stops it but leaves its file: only clear() removes it,
// so a window torn down without asking never loses work.
class RecoveryKeeper : public QObject {
    Q_OBJECT
  public:
    // The text to keep, in UTF-8.
    using TextSource = std::function<QByteArray()>;
    using Document = RecoveryDocument;

    // `delay`: the pause in typing after which the text is written.
    // `max_wait`: the longest a change waits while typing never pauses.
    explicit RecoveryKeeper(std::chrono::milliseconds delay = std::chrono::seconds(2),
                            std::chrono::milliseconds max_wait = std::chrono::seconds(20),
                            QObject* parent = nullptr);
    ~RecoveryKeeper() override;

    // Call on every change of the text. The text is asked from `text_source`
    // only when the file is written, after the pause.
    void schedule(TextSource text_source, const Document& document = {});
    // Writes now what schedule() left waiting. Empty on success (or when
    // nothing waits), otherwise the reason, as also told by failed().
    QString write_now();
    // Drops what waits and removes this keeper's file (after a save, a
    // discard, a normal exit). Empty on success, otherwise the reason.
    QString clear();

    // Takes over an offered recovery file: it becomes this keeper's own file
    // (so another Marklet cannot take it too, and a new crash keeps it) and
    // its record is returned. Call it before the document is edited. On
    // failure, nothing, with the reason in `error`.
    std::optional<RecoveryRecord> restore(const PendingRecovery& pending, QString* error = nullptr);

    bool is_waiting() const { return waiting_; }
    // This keeper's file; it exists only while it keeps a text.
    QString file_path() const;
    QString last_error() const { return last_error_; }

  signals:
    void written(const QString& file);
    void failed(const QString& reason);

  private:
    QString fail(const QString& reason);

    QTimer pause_;
    QTimer max_wait_;
    TextSource text_source_;
    Document document_;
    QString file_name_;
    QString last_error_;
    bool waiting_ = false;
};
