#pragma once

#include "platform/launcher.h"

// Starts programs with QProcess::startDetached and opens URLs with
// QDesktopServices.
class QtLauncher : public Launcher {
  public:
    bool start(const QString& program, const QStringList& arguments) override;
    bool open_url(const QUrl& url) override;
};
