#include "app/form1.h"
#include "app/translations.h"
#include "document/file_name.h"
#include "document/process_folder.h"

#include <QApplication>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

bool display_available() {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return true;
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// Benchmark hook: with MARKLET_EXIT_WHEN_SHOWN set, the program prints
// "MARKLET_SHOWN <monotonic nanoseconds>" and ends as soon as the window has
// been exposed and painted for the first time.
class ExitWhenShown : public QObject {
  public:
    using QObject::QObject;
    static void install(QWidget* window) {
        if (qEnvironmentVariableIsEmpty("MARKLET_EXIT_WHEN_SHOWN"))
            return;
        window->winId();
        window->windowHandle()->installEventFilter(new ExitWhenShown(window));
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            QTimer::singleShot(0, [] {
                timespec now{};
                clock_gettime(CLOCK_MONOTONIC, &now);
                std::printf("MARKLET_SHOWN %lld\n", now.tv_sec * 1000000000LL + now.tv_nsec);
                std::fflush(stdout);
                _exit(0);
            });
        }
        return false;
    }
};

} // namespace

int main(int argc, char* argv[]) {
    if (!display_available()) {
        std::fprintf(stderr, "Marklet needs a graphical display: neither DISPLAY nor "
                             "WAYLAND_DISPLAY is set.\nRun it from a desktop session, or under "
                             "Xvfb (see README).\n");
        return 2;
    }
    // The preview pane (Qt WebEngine) is loaded later, as a plugin; the OpenGL
    // context it shares with the window is made then too (see BrowserHost), so
    // a start without the preview loads no OpenGL driver.
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Marklet"));
    QApplication::setOrganizationName(QStringLiteral("marklet"));
    QApplication::setDesktopFileName(QStringLiteral("marklet"));

    // Qt's own dialogs and buttons speak Italian.
    install_italian_translations();

    // This process's preview and stylesheet have a folder of their own, gone
    // at the end; those left by Marklets that ended without removing theirs
    // go now.
    remove_stale_process_dirs();
    struct ProcessFolder {
        ~ProcessFolder() { remove_process_temp_dir(); }
    } process_folder;

    Form1 window;
    ExitWhenShown::install(&window);
    window.show();
    // A file named on the command line (or by the file manager) opens at once,
    // its name taken byte for byte (Qt's own list of the arguments loses the
    // bytes of a name that is not UTF-8). Saves a killed Marklet left
    // unfinished, and its unsaved text, come first.
    window.start(argc > 1 ? path_from_native(argv[1]) : QString());
    return QApplication::exec();
}
