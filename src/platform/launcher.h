#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

// Starts other programs without waiting for them; never through a shell.
class Launcher {
  public:
    virtual ~Launcher() = default;
    // Starts `program` with the argument list; false when it cannot be started.
    virtual bool start(const QString& program, const QStringList& arguments) = 0;
    // Opens the URL in the system's default handler of its scheme (a file in
    // the desktop's program for it); false when there is none or it cannot be
    // started.
    virtual bool open_url(const QUrl& url) = 0;
    // Opens the URL in the system's default web browser (the handler of web
    // links), never in Marklet itself; false when there is none or it cannot
    // be started.
    virtual bool open_in_browser(const QUrl& url) = 0;
};
