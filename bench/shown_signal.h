#pragma once

// The reference programs' side of MARKLET_EXIT_WHEN_SHOWN (the editor has the
// same few lines in its main.cpp): when the variable is set, the program
// prints "MARKLET_SHOWN <monotonic nanoseconds>" once its window has been
// exposed and painted for the first time, then ends at once.

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace bench {

inline long long monotonic_ns() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

// Quits the process right after the first expose of `window` has been handled
// (Qt paints and flushes the window inside that expose).
class ExitWhenShown : public QObject {
  public:
    static void install(QWidget* window) {
        if (qEnvironmentVariableIsEmpty("MARKLET_EXIT_WHEN_SHOWN"))
            return;
        window->winId(); // makes the native window, so the filter has something to watch
        window->windowHandle()->installEventFilter(new ExitWhenShown(window));
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            QTimer::singleShot(0, [] {
                std::printf("MARKLET_SHOWN %lld\n", monotonic_ns());
                std::fflush(stdout);
                _exit(0);
            });
        }
        return false;
    }

  private:
    using QObject::QObject;
};

} // namespace bench
