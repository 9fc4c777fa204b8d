#include "platform/qt/qt_launcher.h"

#include "platform/qt/default_browser.h"

#include <QDesktopServices>
#include <QProcess>

bool QtLauncher::start(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

bool QtLauncher::open_url(const QUrl& url) {
    // A file opens with whatever the desktop opens it with. A link is handed
    // to its scheme's program only when there is one: the desktop's opener
    // starts in any case and fails once started, when nothing can be told.
    if (url.isLocalFile())
        return QDesktopServices::openUrl(url);
    const std::optional<QStringList> command = scheme_handler_command(url);
    return command && start(command->first(), command->mid(1));
}

bool QtLauncher::open_in_browser(const QUrl& url) {
    const std::optional<QStringList> command = default_browser_command(url);
    return command && start(command->first(), command->mid(1));
}
