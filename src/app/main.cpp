#include "app/command_line.h"
#include "app/form1.h"
#include "app/preview_probe.h"
#include "app/status_presenter.h"
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

// The arguments after the program's name, file names byte for byte (Qt's
// own list of them loses the bytes of a name that is not UTF-8).
QStringList native_arguments(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << path_from_native(argv[i]);
    return arguments;
}

} // namespace

int main(int argc, char* argv[]) {
    // --help and --version need no display.
    switch (read_command_line(native_arguments(argc, argv)).action) {
    case CommandLine::Action::Help:
        std::fputs(command_line_usage().toLocal8Bit().constData(), stdout);
        return 0;
    case CommandLine::Action::Version:
        std::printf("marklet %s\n", MARKLET_VERSION);
        return 0;
    default:
        break;
    }
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
    QApplication::setApplicationVersion(QStringLiteral(MARKLET_VERSION));

    // Qt has taken its own options (-platform, -style...) out of argv by now.
    const CommandLine line = read_command_line(native_arguments(argc, argv));
    if (line.action == CommandLine::Action::BadOption) {
        std::fprintf(stderr, "marklet: unknown option %s\nTry 'marklet --help'.\n",
                     line.bad_option.toLocal8Bit().constData());
        return 2;
    }

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
    // A file named on the command line (or by the file manager) opens at once.
    // Saves a killed Marklet left unfinished, and its unsaved text, come first. A window
    // shows one document: each further file opens in a Marklet of its own,
    // started once this one has settled the recovered text, if any.
    window.start(line.files.value(0));
    const QStringList failed = open_in_new_windows(line.files.mid(1));
    if (!failed.isEmpty())
        window.status().failure(QStringLiteral("windows"),
                                QStringLiteral("Impossibile aprire in un'altra finestra: %1")
                                    .arg(failed.join(QStringLiteral(", "))));
    install_preview_probe(window);
    return QApplication::exec();
}
