#pragma once

#include "platform/launcher.h"

// Starts programs with QProcess::startDetached, opens URLs with
// QDesktopServices, and finds the web browser through default_browser.h.
class QtLauncher : public Launcher {
  public:
    bool start(const QString& program, const QStringList& arguments) override;
    bool open_url(const QUrl& url) override;
    bool open_in_browser(const QUrl& url) override;
};
