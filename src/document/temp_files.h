#pragma once

#include "document/file_error.h"

#include <QByteArrayView>
#include <QString>
#include <initializer_list>
#include <optional>

// The program's temporary files (the preview and the stylesheet) in its
// private folder, and the private folders themselves.
//
// The temporary stylesheet is one file at one fixed place,
// $XDG_CACHE_HOME/marklet/tmp.css: every running Marklet writes (through its
// CSS editor) and shows the same one, pages link to it by that name, and it
// outlives every run (never removed at exit or start), so a page saved with
// the link keeps its style.

// Writes one of the program's temporary files (preview, stylesheet) inside
// this process's folder, creating the folder when needed and never following a
// link planted there. Returns what failed, if anything.
FileError write_temp_file(const QString& path, const QByteArray& bytes);
// The same with the content given in pieces, written one after the other.
FileError write_temp_file(const QString& path, std::initializer_list<QByteArrayView> pieces);

// Rewrites a temporary file that is written very often (the preview, at every
// keystroke) in place: no new file and no rename, which on a journalling file
// system cost far more than the write itself. A reader may see it half
// written while it is being rewritten, so write it only where the next read
// comes after the write (the preview pane reloads when it is done). A link,
// device or other odd file there is dealt with as by write_temp_file().
FileError rewrite_temp_file(const QString& path, std::initializer_list<QByteArrayView> pieces);

// The program's private folder for its temporary files: $XDG_CACHE_HOME/marklet
// (default ~/.cache/marklet). Created with mode 0700 when missing. Refuses (returns
// nothing, with what failed in `error`) when the path is a symbolic link, not a
// folder, or not owned by the current user.
std::optional<QString> private_temp_dir(FileError* error = nullptr);
// Where that folder is, without making it; empty when there is no home folder.
QString private_temp_dir_path();

// $<variable>/<below>, or ~/<fallback>/<below> when the variable is unset,
// empty or relative (the XDG rule); empty when there is no home folder.
QString xdg_folder_path(const char* variable, const char* fallback, const QString& below);

// Makes `folder` a private folder of the program: created with mode 0700
// (parents too), refused when it is a symbolic link, not a folder, another
// user's or not writable; closed to others when it is ours but open. `name`
// tells which of the program's folders it is, in the error.
std::optional<QString> ensure_private_dir(const QString& folder, FileError::Folder name,
                                          FileError* error = nullptr);

// Writes the temporary stylesheet: a new file in place of the old, so that
// another Marklet reading it meanwhile gets the old text or the new one,
// never a part; a link planted there is replaced, never followed. Returns
// what failed, if anything.
FileError write_temp_stylesheet(const QByteArray& bytes);

// The preview file and the preview's copy for external browsers, in this
// process's own folder inside private_temp_dir() (see process_folder.h);
// write_temp_file() writes there only. The temporary stylesheet, in
// private_temp_dir() itself.
QString preview_file_path();    // .../marklet/run-.../tmp.htm
QString browser_copy_path();    // .../marklet/run-.../anteprima.htm
QString temp_stylesheet_path(); // .../marklet/tmp.css
