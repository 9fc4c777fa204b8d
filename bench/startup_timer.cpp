// Times what the user waits for at start-up, from outside the program: from
// the moment the process is started until its window is mapped on the X
// screen, and until that window shows painted content. Two programs are
// timed alternately in the same run, each start with a fresh home folder
// (no caches of an earlier run), and their peak memory is read when they end.
//
//   startup_timer RUNS LIMIT TITLE NAME_A "COMMAND A" NAME_B "COMMAND B"
//
// Each command is split on spaces. Needs DISPLAY (Xvfb, ideally with a window
// manager, as bench/run.sh arranges). The window is the top-level window
// whose _NET_WM_PID is the started process; it counts as painted once a
// sample of its pixels holds more than a few colours (the background alone
// is one or two; the menu captions and toolbar pictures bring many more).
// Prints the medians and the ratio A / B against LIMIT.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
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

namespace {

long long monotonic_ns() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

struct Sample {
    double mapped_ms = 0;
    double painted_ms = 0;
    double rss_mb = 0;
    bool ok = false;
};

std::vector<std::string> split(const std::string& command) {
    std::vector<std::string> words;
    std::istringstream in(command);
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

// Windows come and go while we look at them (a program's short-lived
// windows, the window manager's frames): a request about one that is gone
// is no error of ours.
int ignore_x_error(Display*, XErrorEvent*) {
    return 0;
}

long window_pid(Display* display, Window window) {
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
Window find_window_of(Display* display, Window window, long pid, int depth = 0) {
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
bool looks_painted(Display* display, Window window) {
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
std::vector<std::string> fresh_environment(const std::string& home) {
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

Sample run_once(Display* display, const std::vector<std::string>& words) {
    Sample sample;
    char home_template[] = "/tmp/marklet-startup-XXXXXX";
    if (!mkdtemp(home_template))
        return sample;
    const std::string home = home_template;
    std::vector<std::string> environment = fresh_environment(home);
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
    const long long start = monotonic_ns();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        std::fprintf(stderr, "cannot start %s: %s\n", argv[0], std::strerror(spawned));
        return sample;
    }

    const Window root = DefaultRootWindow(display);
    Window window = None;
    long long mapped = 0, painted = 0;
    const long long give_up = start + 30'000'000'000LL;
    pollfd x_events{ConnectionNumber(display), POLLIN, 0};
    while (!painted && monotonic_ns() < give_up) {
        if (window == None) {
            while (XPending(display)) {
                XEvent event;
                XNextEvent(display, &event);
                if (event.type == MapNotify && window == None) {
                    window = find_window_of(display, event.xmap.window, pid);
                    if (window != None)
                        mapped = monotonic_ns();
                }
            }
            if (window == None) // a program that maps before setting its pid
                window = find_window_of(display, root, pid);
            if (window != None && !mapped)
                mapped = monotonic_ns();
            if (window == None)
                poll(&x_events, 1, 2);
        } else if (looks_painted(display, window)) {
            painted = monotonic_ns();
        } else {
            usleep(500);
        }
    }
    kill(pid, SIGKILL);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    std::filesystem::remove_all(home);
    if (!painted) {
        std::fprintf(stderr, "%s never showed a painted window\n", argv[0]);
        return sample;
    }
    sample.mapped_ms = double(mapped - start) / 1e6;
    sample.painted_ms = double(painted - start) / 1e6;
    sample.rss_mb = double(usage.ru_maxrss) / 1024.0;
    sample.ok = true;
    return sample;
}

double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void verdict(const char* what, const char* unit, const std::string& name_a,
             const std::vector<double>& a, const std::string& name_b,
             const std::vector<double>& b, double limit) {
    const double ma = median(a), mb = median(b);
    const double ratio = mb > 0 ? ma / mb : 0;
    std::printf("  %-16s %s %.1f %s (%.1f-%.1f), %s %.1f %s (%.1f-%.1f): ratio %.2f", what,
                name_a.c_str(), ma, unit, *std::min_element(a.begin(), a.end()),
                *std::max_element(a.begin(), a.end()), name_b.c_str(), mb, unit,
                *std::min_element(b.begin(), b.end()), *std::max_element(b.begin(), b.end()),
                ratio);
    if (limit > 0)
        std::printf(" (limit %.2f) %s", limit, ratio <= limit ? "MET" : "NOT MET");
    std::printf("\n");
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 8) {
        std::fprintf(stderr, "usage: %s RUNS LIMIT TITLE NAME_A \"CMD A\" NAME_B \"CMD B\"\n",
                     argv[0]);
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    const double limit = std::atof(argv[2]);
    const std::string title = argv[3], name_a = argv[4], name_b = argv[6];
    const auto command_a = split(argv[5]), command_b = split(argv[7]);
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "startup_timer: no X display (DISPLAY is not set or unreachable)\n");
        return 2;
    }
    XSetErrorHandler(ignore_x_error);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);

    // One run of each first, unmeasured: loads the libraries into the page cache.
    run_once(display, command_a);
    run_once(display, command_b);
    std::vector<double> mapped_a, mapped_b, painted_a, painted_b, rss_a, rss_b;
    for (int i = 0; i < runs; ++i) {
        for (int which = 0; which < 2; ++which) {
            // Alternate the order so that neither always runs second.
            const bool first_a = (i + which) % 2 == 0;
            const Sample s = run_once(display, first_a ? command_a : command_b);
            if (!s.ok)
                return 1;
            (first_a ? mapped_a : mapped_b).push_back(s.mapped_ms);
            (first_a ? painted_a : painted_b).push_back(s.painted_ms);
            (first_a ? rss_a : rss_b).push_back(s.rss_mb);
        }
    }
    std::printf("%s (median and range of %d runs each, fresh home each run)\n", title.c_str(),
                runs);
    verdict("window mapped", "ms", name_a, mapped_a, name_b, mapped_b, 0);
    verdict("window painted", "ms", name_a, painted_a, name_b, painted_b, limit);
    verdict("peak RSS", "MB", name_a, rss_a, name_b, rss_b, limit);
    XCloseDisplay(display);
    return 0;
}
