#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QUrl>

// File names as the system keeps them: bytes, which need not be UTF-8 (a
// name made on an older system in Latin-1, "caf\xe9.html"). The program holds
// a name as text in which each byte that is not part of valid UTF-8 stands as
// one of the characters U+DC80..U+DCFF (lone low surrogates, which no valid
// UTF-8 decodes to), so that every name read from the system goes back to it
// byte for byte. Qt's own QFile::encodeName() and decodeName() put U+FFFD in
// place of such bytes and lose the name; every path that reaches the system
// goes through these two instead.
QString path_from_native(QByteArrayView bytes);
QByteArray native_path(const QString& path);

// The path for the user's eyes: each byte kept as above shows as U+FFFD.
QString shown_path(const QString& path);

// The absolute, cleaned form of `path`, taken relative to the working folder
// (whose own name may be any bytes).
QString absolute_path(const QString& path);
// The folder part of an absolute path ("/" for a file in the root).
QString folder_of(const QString& path);
// The last part of a path.
QString file_name_of(const QString& path);

// True when `path` names a folder (links followed).
bool is_folder(const QString& path);

// The names in a folder (without "." and ".."), as above.
QStringList names_in(const QString& folder);

// The address of a local file, its name's bytes percent-encoded as they are.
QUrl file_url(const QString& path);
