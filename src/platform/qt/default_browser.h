#pragma once

#include <QStringList>
#include <QUrl>
#include <optional>

// The system's default web browser, found as xdg-settings and xdg-open find
// it, without running them: the handler of https (then http) links named in
// the desktop's mimeapps.list files, else in defaults.list, else the first
// one installed (mimeinfo.cache); the command line of its desktop entry with
// `target` in place of its field codes. Marklet's own entry (Marklet opens
// HTML files, and may be named for web links by mistake), hidden entries and
// entries whose program is not installed are passed over. Nothing when no
// browser is found.
std::optional<QStringList> default_browser_command(const QUrl& target);

// The same for the handler of the target's own scheme (a mailto: link's
// mail program), with the same passing over: nothing when no installed
// program handles it. A web browser is not taken for a mail program.
std::optional<QStringList> scheme_handler_command(const QUrl& target);

// The command line of a desktop entry's Exec value, split by the quoting
// rules of freedesktop.org desktop entries, with %u/%U/%f/%F replaced by
// `target` (added at the end when there is none). Nothing when the value is
// empty or its quotes are unbalanced.
std::optional<QStringList> exec_command(const QString& exec, const QUrl& target);
