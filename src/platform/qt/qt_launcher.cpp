#include "platform/qt/qt_launcher.h"

#include "platform/qt/default_browser.h"

#include <QDesktopServices>
#include <QProcess>

bool QtLauncher::start(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

bool QtLauncher::open_url(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

bool QtLauncher::open_in_browser(const QUrl& url) {
    const std::optional<QStringList> command = default_browser_command(url);
    return command && start(command->first(), command->mid(1));
}
