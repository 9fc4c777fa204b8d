#include "platform/qt/qt_launcher.h"

#include <QDesktopServices>
#include <QProcess>

bool QtLauncher::start(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

bool QtLauncher::open_url(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}
