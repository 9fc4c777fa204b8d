#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <initializer_list>
#include <optional>

// Reading and writing whole files without ever leaving a half-written one.

struct ReadResult {
    QByteArray bytes;
    QString error; // empty on success; otherwise an Italian sentence naming the reason
    bool ok() const { return error.isEmpty(); }
};

// Reads a whole regular file. A missing file, a directory, an unreadable file
// give an error sentence (Italian), never a crash.
ReadResult read_whole_file(const QString& path);

// Writes the bytes through a temporary file in the same folder and a rename,
// so readers see either the old or the new content, never a part. Returns an
// empty string on success, otherwise an Italian sentence naming the reason
// (read-only folder, disk full, path is a folder, ...).
// A user's document that is a symbolic link is written through the link (the
// link stays); with Links::Replace a link at `path` is replaced by a plain
// file and its target is never touched (for the program's temporary files).
enum class Links { Follow, Replace };
QString write_file_atomically(const QString& path, const QByteArray& bytes,
                              Links links = Links::Follow);
// The same with the content given in pieces, written one after the other.
QString write_file_atomically(const QString& path, std::initializer_list<QByteArrayView> pieces,
                              Links links = Links::Follow);

// Writes one of the program's temporary files (preview, stylesheet) inside
// private_temp_dir(), creating the folder when needed and never following a
// link planted there. Returns an empty string on success, else the reason.
QString write_temp_file(const QString& path, const QByteArray& bytes);
// The same with the content given in pieces, written one after the other.
QString write_temp_file(const QString& path, std::initializer_list<QByteArrayView> pieces);

// Rewrites a temporary file that is written very often (the preview, at every
// keystroke) in place: no new file and no rename, which on a journalling file
// system cost far more than the write itself. A reader may see it half
// written while it is being rewritten, so write it only where the next read
// comes after the write (the preview pane reloads when it is done). A link,
// device or other odd file there is dealt with as by write_temp_file().
QString rewrite_temp_file(const QString& path, std::initializer_list<QByteArrayView> pieces);

// The program's private folder for its temporary files: $XDG_CACHE_HOME/marklet
// (default ~/.cache/marklet). Created with mode 0700 when missing. Refuses (returns
// nothing, with the reason in `error`) when the path is a symbolic link, not a
// folder, or not owned by the current user.
std::optional<QString> private_temp_dir(QString* error = nullptr);

// The reason for a failed write or removal (an errno value), as a short
// Italian sentence for the user.
QString write_error_reason(int error);

// $<variable>/<below>, or ~/<fallback>/<below> when the variable is unset,
// empty or relative (the XDG rule); empty when there is no home folder.
QString xdg_folder_path(const char* variable, const char* fallback, const QString& below);

// Makes `folder` a private folder of the program: created with mode 0700
// (parents too), refused when it is a symbolic link, not a folder, another
// user's or not writable; closed to others when it is ours but open. `name`
// names it in the reason ("temporanea", "di recupero").
std::optional<QString> ensure_private_dir(const QString& folder, const QString& name,
                                          QString* error = nullptr);

// The preview file and the temporary stylesheet inside private_temp_dir().
QString preview_file_path();    // .../marklet/tmp.htm
QString temp_stylesheet_path(); // .../marklet/tmp.css
