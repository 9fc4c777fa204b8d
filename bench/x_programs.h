#pragma once

// Whole programs timed from outside, through the X server: started with a
// fresh home folder, their top-level window found by its _NET_WM_PID, and
// judged painted by its pixels. Shared by startup_timer and open_and_type.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <set>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace xprog {

inline long long monotonic_ns() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

inline std::vector<std::string> split(const std::string& command) {
    std::vector<std::string> words;
    std::istringstream in(command);
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

// Windows come and go while we look at them (a program's short-lived
// windows, the window manager's frames): a request about one that is gone
// is no error of ours.
inline int ignore_x_error(Display*, XErrorEvent*) {
    return 0;
}

inline long window_pid(Display* display, Window window) {
    static const Atom pid_atom = XInternAtom(display, "_NET_WM_PID", False);
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    long pid = -1;
    if (XGetWindowProperty(display, window, pid_atom, 0, 1, False, XA_CARDINAL, &type, &format,
                           &items, &after, &data) == Success &&
        data && items == 1 && format == 32)
        pid = long(*reinterpret_cast<unsigned long*>(data));
    if (data)
        XFree(data);
    return pid;
}

// The window of process `pid` at or below `window` (a window manager puts the
// program's window inside a frame of its own).
inline Window find_window_of(Display* display, Window window, long pid, int depth = 0) {
    if (window_pid(display, window) == pid)
        return window;
    if (depth > 3)
        return None;
    Window root = None, parent = None, *children = nullptr;
    unsigned int count = 0;
    Window found = None;
    if (XQueryTree(display, window, &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count && found == None; ++i)
            found = find_window_of(display, children[i], pid, depth + 1);
        if (children)
            XFree(children);
    }
    return found;
}

// True when the window's pixels hold more than a handful of colours.
inline bool looks_painted(Display* display, Window window) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable)
        return false;
    XImage* image = XGetImage(display, window, 0, 0, unsigned(attributes.width),
                              unsigned(attributes.height), AllPlanes, ZPixmap);
    if (!image)
        return false;
    std::set<unsigned long> colours;
    for (int y = 0; y < attributes.height && colours.size() <= 8; y += 3)
        for (int x = 0; x < attributes.width && colours.size() <= 8; x += 3)
            colours.insert(XGetPixel(image, x, y));
    XDestroyImage(image);
    return colours.size() > 8;
}

// A fresh home: HOME and the XDG folders point into a new empty folder.
inline std::vector<std::string> fresh_environment(const std::string& home) {
    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        if (text.rfind("HOME=", 0) == 0 || text.rfind("XDG_CACHE_HOME=", 0) == 0 ||
            text.rfind("XDG_DATA_HOME=", 0) == 0 || text.rfind("XDG_CONFIG_HOME=", 0) == 0 ||
            text.rfind("MARKLET_EXIT_WHEN_SHOWN=", 0) == 0)
            continue;
        environment.push_back(text);
    }
    environment.push_back("HOME=" + home);
    environment.push_back("XDG_CACHE_HOME=" + home + "/.cache");
    environment.push_back("XDG_DATA_HOME=" + home + "/.local/share");
    environment.push_back("XDG_CONFIG_HOME=" + home + "/.config");
    return environment;
}

// A program started with a fresh home; its output goes nowhere.
struct Started {
    pid_t pid = 0;
    std::string home;
    long long start_ns = 0;
    bool ok() const { return pid > 0; }
};

inline Started start(Display* display, const std::vector<std::string>& words) {
    Started started;
    char home_template[] = "/tmp/marklet-bench-XXXXXX";
    if (!mkdtemp(home_template))
        return started;
    started.home = home_template;
    std::vector<std::string> environment = fresh_environment(started.home);
    std::vector<char*> envp;
    for (auto& e : environment)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<char*> argv;
    for (const auto& w : words)
        argv.push_back(const_cast<char*>(w.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    XSync(display, True); // drop the notices of earlier runs
    started.start_ns = monotonic_ns();
    const int spawned =
        posix_spawn(&started.pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        std::fprintf(stderr, "cannot start %s: %s\n", argv[0], std::strerror(spawned));
        started.pid = 0;
        std::filesystem::remove_all(started.home);
    }
    return started;
}

// Ends the program and removes its home; its resource use as it ended.
inline rusage stop(Started& started) {
    rusage usage{};
    if (started.pid > 0) {
        kill(started.pid, SIGKILL);
        int status = 0;
        wait4(started.pid, &status, 0, &usage);
    }
    std::filesystem::remove_all(started.home);
    started.pid = 0;
    return usage;
}

// Waits for the program's window to be mapped, then painted (the display
// must have SubstructureNotifyMask selected on the root). The times are
// monotonic nanoseconds, 0 when it did not happen within `give_up_ns`.
struct Shown {
    Window window = None;
    long long mapped_ns = 0;
    long long painted_ns = 0;
};

inline Shown wait_shown(Display* display, const Started& started, long long give_up_ns) {
    Shown shown;
    const Window root = DefaultRootWindow(display);
    const long long give_up = started.start_ns + give_up_ns;
    pollfd x_events{ConnectionNumber(display), POLLIN, 0};
    while (!shown.painted_ns && monotonic_ns() < give_up) {
        if (shown.window == None) {
            while (XPending(display)) {
                XEvent event;
                XNextEvent(display, &event);
                if (event.type == MapNotify && shown.window == None) {
                    shown.window = find_window_of(display, event.xmap.window, started.pid);
                    if (shown.window != None)
                        shown.mapped_ns = monotonic_ns();
                }
            }
            if (shown.window == None) // a program that maps before setting its pid
                shown.window = find_window_of(display, root, started.pid);
            if (shown.window != None && !shown.mapped_ns)
                shown.mapped_ns = monotonic_ns();
            if (shown.window == None)
                poll(&x_events, 1, 2);
        } else if (looks_painted(display, shown.window)) {
            shown.painted_ns = monotonic_ns();
        } else {
            usleep(500);
        }
    }
    return shown;
}

} // namespace xprog
