#pragma once

// Key -> pixels, black-box: a watch of a window's pixels through the X
// Damage extension, and keys posted at a rhythm to a widget, each key timed
// to the first change of the watched pixels after it (pane_latency,
// bare_pane).

#include "bench_support.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QRandomGenerator>
#include <QRect>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <sys/ipc.h>
#include <sys/shm.h>
// Xlib's names that Qt uses too.
#undef KeyPress
#undef KeyRelease
#undef None

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

namespace pixels {

using Clock = std::chrono::steady_clock;

inline double ms_between(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double, std::milli>(b - a).count();
}

template <typename F> bool wait_until(F done, int timeout_ms) {
    return bench::wait_until(done, timeout_ms, 5);
}

// Watches a window's pixels in one rectangle, on its own X connection.
class PixelWatch {
  public:
    PixelWatch(unsigned long window, QRect area) : window_(window), area_(area) {
        display_ = XOpenDisplay(nullptr);
        int event_base = 0, error_base = 0;
        if (!display_ || !XDamageQueryExtension(display_, &event_base, &error_base))
            return;
        damage_event_ = event_base + XDamageNotify;
        damage_ = XDamageCreate(display_, window_, XDamageReportNonEmpty);
        attach_shared_image();
        XFlush(display_);
        last_ = hash();
        thread_ = std::thread([this] { run(); });
    }
    ~PixelWatch() {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
        if (shared_) {
            XShmDetach(display_, &segment_);
            XDestroyImage(shared_);
            shmdt(segment_.shmaddr);
        }
        if (display_)
            XCloseDisplay(display_);
    }
    bool ok() const { return thread_.joinable(); }

    std::vector<Clock::time_point> changes() {
        std::lock_guard<std::mutex> lock(mutex_);
        return changes_;
    }
    void clear() {
        std::lock_guard<std::mutex> lock(mutex_);
        changes_.clear();
    }

  private:
    // The pixels are read through shared memory where the server offers it:
    // a read over the socket moves megabytes through a small buffer, one
    // piece per turn of the server and this thread, and on a busy machine
    // those turns took longer than the page engine's frame, which the
    // figures then counted as the pane's.
    void attach_shared_image() {
        XWindowAttributes attributes;
        if (!XShmQueryExtension(display_) || !XGetWindowAttributes(display_, window_, &attributes))
            return;
        XImage* image =
            XShmCreateImage(display_, attributes.visual, unsigned(attributes.depth), ZPixmap,
                            nullptr, &segment_, unsigned(area_.width()), unsigned(area_.height()));
        if (!image)
            return;
        segment_.shmid = shmget(IPC_PRIVATE, size_t(image->bytes_per_line) * size_t(image->height),
                                IPC_CREAT | 0600);
        if (segment_.shmid < 0) {
            XDestroyImage(image);
            return;
        }
        segment_.shmaddr = image->data = static_cast<char*>(shmat(segment_.shmid, nullptr, 0));
        segment_.readOnly = False;
        const bool attached =
            segment_.shmaddr != reinterpret_cast<char*>(-1) && XShmAttach(display_, &segment_);
        XSync(display_, False);
        // Gone from the system once both sides have let go of it.
        shmctl(segment_.shmid, IPC_RMID, nullptr);
        if (!attached) {
            image->data = nullptr;
            XDestroyImage(image);
            return;
        }
        shared_ = image;
    }

    quint64 hash() {
        XImage* image = nullptr;
        if (shared_) {
            if (!XShmGetImage(display_, window_, shared_, area_.x(), area_.y(), AllPlanes))
                return 0;
            image = shared_;
        } else {
            image = XGetImage(display_, window_, area_.x(), area_.y(), unsigned(area_.width()),
                              unsigned(area_.height()), AllPlanes, ZPixmap);
        }
        if (!image)
            return 0;
        quint64 h = 1469598103934665603ULL;
        const size_t bytes = size_t(image->bytes_per_line) * size_t(image->height);
        for (size_t i = 0; i < bytes; i += 8) {
            quint64 word = 0;
            std::memcpy(&word, image->data + i, std::min<size_t>(8, bytes - i));
            h = (h ^ word) * 1099511628211ULL;
        }
        if (image != shared_)
            XDestroyImage(image);
        return h;
    }

    void run() {
        while (!stop_) {
            if (!XPending(display_)) {
                // Asleep until the server writes, rather than waking 2000
                // times a second beside the programs being timed.
                pollfd events{ConnectionNumber(display_), POLLIN, 0};
                poll(&events, 1, 20);
                continue;
            }
            XEvent event;
            XNextEvent(display_, &event);
            if (event.type != damage_event_)
                continue;
            ++damages;
            // Everything damaged so far is read in one look.
            while (XCheckTypedEvent(display_, damage_event_, &event)) {
            }
            XDamageSubtract(display_, damage_, 0, 0);
            // The server reports damage once it has drawn: what the read
            // below finds was on the screen by now.
            const Clock::time_point drawn = Clock::now();
            const quint64 now = hash();
            if (now != last_) {
                last_ = now;
                std::lock_guard<std::mutex> lock(mutex_);
                changes_.push_back(drawn);
            }
        }
    }

    Display* display_ = nullptr;
    XShmSegmentInfo segment_{};
    XImage* shared_ = nullptr;
    unsigned long window_;
    QRect area_;
    int damage_event_ = 0;
    Damage damage_ = 0;
    quint64 last_ = 0;
    std::atomic<bool> stop_{false};

  public:
    std::atomic<int> damages{0};

  private:
    std::thread thread_;
    std::mutex mutex_;
    std::vector<Clock::time_point> changes_;
};

struct Figures {
    std::vector<double> first_ms; // key -> first change of the pane
    std::vector<double> last_ms;  // key -> last change before the next key
    double settle_ms = 0;         // last key -> last change at all
    int missed = 0;               // keys shown only with a later one
};

inline Figures measure(QWidget* target, PixelWatch& watch, int keys, int interval_ms, int still_ms,
                       int idle_ms = 60000) {
    std::vector<Clock::time_point> posted;
    watch.clear();
    int typed = 0;
    // Keys come at the rhythm, each a random part of a 60 Hz frame late: a
    // typist keeps no frame clock. (Keys exactly 100 ms, 300 ms or 1 s apart
    // fall at the same point of every frame, and a whole run would show
    // either the best or the worst phase of the page engine's frames.)
    QRandomGenerator jitter(uint(interval_ms) * 7919u + uint(keys));
    QTimer typist;
    typist.setSingleShot(true);
    typist.setTimerType(Qt::PreciseTimer);
    const Clock::time_point start = Clock::now();
    const auto arm = [&] {
        const auto due = start + std::chrono::milliseconds(qint64(typed + 1) * interval_ms) +
                         std::chrono::microseconds(jitter.bounded(16667));
        typist.start(int(std::max<qint64>(
            0, std::chrono::duration_cast<std::chrono::milliseconds>(due - Clock::now()).count())));
    };
    QObject::connect(&typist, &QTimer::timeout, [&] {
        ++typed;
        posted.push_back(Clock::now());
        QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, Qt::Key_A,
                                                          Qt::NoModifier, QStringLiteral("a")));
        QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, Qt::Key_A,
                                                          Qt::NoModifier, QStringLiteral("a")));
        if (typed < keys)
            arm();
    });
    arm();
    wait_until([&] { return typed == keys; }, keys * interval_ms + 30000);
    // Until the pane has been still for a while (a load of a large page shows
    // nothing new for seconds); a pane that shows nothing new at all, once
    // `idle_ms` have passed since the last key.
    wait_until(
        [&] {
            const auto changes = watch.changes();
            if (changes.empty() || changes.back() < posted.front())
                return ms_between(posted.back(), Clock::now()) > idle_ms;
            return ms_between(std::max(changes.back(), posted.back()), Clock::now()) > still_ms;
        },
        120000);
    const std::vector<Clock::time_point> changes = watch.changes();
    Figures f;
    size_t c = 0;
    for (size_t k = 0; k < posted.size(); ++k) {
        const auto next = k + 1 < posted.size() ? posted[k + 1] : Clock::time_point::max();
        while (c < changes.size() && changes[c] <= posted[k])
            ++c;
        if (c == changes.size())
            continue;
        // A key shown only with a later one counts until it is shown.
        f.first_ms.push_back(ms_between(posted[k], changes[c]));
        if (changes[c] >= next) {
            ++f.missed;
            continue;
        }
        size_t last = c;
        while (last + 1 < changes.size() && changes[last + 1] < next)
            ++last;
        f.last_ms.push_back(ms_between(posted[k], changes[last]));
    }
    if (!changes.empty() && !posted.empty())
        f.settle_ms = std::max(0.0, ms_between(posted.back(), changes.back()));
    return f;
}

// The rhythms people type at: keys 100 ms, 300 ms and 1 s apart, then a
// few, each after 8 s without one ({count, every}).
inline std::vector<std::pair<int, int>> user_rhythms(int keys) {
    return {{keys, 100}, {keys, 300}, {keys, 1000}, {std::min(keys, 5), 8000}};
}

inline QString rhythm_name(int every) {
    return every == 8000 ? QStringLiteral("first key after 8 s")
                         : QStringLiteral("%1 ms apart").arg(every);
}

} // namespace pixels
