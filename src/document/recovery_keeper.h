#pragma once

#include "document/recovery_file.h"

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>

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
    // nothing waits), otherwise what failed, as also told by failed().
    FileError write_now();
    // Drops what waits and removes this keeper's file (after a save, a
    // discard, a normal exit). What failed, if anything.
    FileError clear();

    // Takes over an offered recovery file: it becomes this keeper's own file
    // (so another Marklet cannot take it too, and a new crash keeps it) and
    // its record is returned. Call it before the document is edited. On
    // failure, nothing, with what failed in `error`.
    std::optional<RecoveryRecord> restore(const PendingRecovery& pending,
                                          FileError* error = nullptr);

    bool is_waiting() const { return waiting_; }
    // This keeper's file; it exists only while it keeps a text.
    QString file_path() const;
    FileError last_error() const { return last_error_; }

  signals:
    void written(const QString& file);
    void failed(const FileError& error);

  private:
    FileError fail(const FileError& error);

    QTimer pause_;
    QTimer max_wait_;
    TextSource text_source_;
    Document document_;
    QString file_name_;
    FileError last_error_;
    bool waiting_ = false;
};
