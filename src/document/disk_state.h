#pragma once

#include <QByteArrayView>
#include <QString>
#include <initializer_list>

// Whether a document's file is still what the program last read or wrote.

// A file's identity as the system tells it: a change of any part means the
// file may hold something else now.
struct FileIdentity {
    bool exists = false;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modified_ns = 0; // the modification time
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// The identity of the file at `path` (links followed); `exists` false when
// there is none (or it cannot be looked at).
FileIdentity identity_at(const QString& path);
// The identity of an open file.
FileIdentity identity_of_descriptor(int fd);

// A quick hash of a content given in pieces: the same content gives the same
// hash however it is cut. Not kept beyond the process.
class ContentHash {
  public:
    ContentHash();
    ContentHash(std::initializer_list<QByteArrayView> pieces);
    void add(QByteArrayView bytes);
    quint64 result() const;

  private:
    void mix(QByteArrayView block);
    QByteArray block_;
    quint64 state_;
    qint64 total_ = 0;
};

enum class DiskChange { None, Modified, Removed };

// The file a document was last read from or written to, and its content's
// hash. check() looks at the file's identity only; the content is read and
// hashed only when that differs, so a file merely touched, or replaced by
// the same bytes, is no change.
class DiskState {
  public:
    // The file at `path` has just been read or written: `identity`, `hash`.
    void set(const QString& path, const FileIdentity& identity, quint64 hash);
    // No file (a new document, a recovered text).
    void forget();
    bool knows_file() const { return !path_.isEmpty(); }
    const QString& path() const { return path_; }

    DiskChange check();
    // The identity seen by the last check().
    const FileIdentity& seen() const { return seen_; }

  private:
    QString path_;
    FileIdentity known_;
    FileIdentity seen_;
    quint64 hash_ = 0;
    // The last identity found changed, and what its content was.
    FileIdentity differing_;
    bool differing_content_ = false;
};
