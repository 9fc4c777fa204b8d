#include "app/form1.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>

namespace {

bool display_available() {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char* argv[]) {
    if (!display_available()) {
        std::fprintf(stderr, "Marklet needs a graphical display: neither DISPLAY nor "
                             "WAYLAND_DISPLAY is set.\nRun it from a desktop session, or under "
                             "Xvfb (see README).\n");
        return 2;
    }
    // The preview pane (Qt WebEngine) is loaded later, as a plugin; it needs
    // shared OpenGL contexts from the start.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Marklet"));
    QApplication::setOrganizationName(QStringLiteral("marklet"));
    QApplication::setDesktopFileName(QStringLiteral("marklet"));

    // Qt's own dialogs and buttons speak Italian.
    QTranslator qt_translator;
    if (qt_translator.load(QLocale(QLocale::Italian), QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qt_translator);

    Form1 window;
    window.show();
    // A file named on the command line (or by the file manager) opens at once.
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() > 1)
        window.open_path(arguments.at(1));
    return QApplication::exec();
}
