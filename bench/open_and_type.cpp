// Whole programs opening a file, measured from outside through the X server,
// each program started in turn with a fresh home, the first named against
// each of the others in the same run:
//
//   open_and_type type KEYS INTERVAL_MS ROUNDS NAME "COMMAND" [NAME "COMMAND"]...
//   open_and_type open RUNS NAME "COMMAND" [NAME "COMMAND"]...
//
// Each command (split on spaces) names the file to open itself.
//
// type: once the window is painted and the program has gone quiet, the
// window gets the keyboard focus and KEYS keys are typed through the XTEST
// extension, one every INTERVAL_MS ("a" and Backspace in turn, so the text
// keeps its size), where the caret stands after opening. Timed: the key sent
// -> the first change of the window's pixels (X Damage, then the pixels read
// back; a change of a handful of pixels is a caret blinking, not the echo).
// ROUNDS starts of each program, alternating.
//
// open: from the window painted (the program ready for the user), its
// resident memory after kWatchMs and its peak, the processor time it used meanwhile (all
// its threads), and when it went quiet: the end of the last 100 ms in which
// it used more than 10 ms of processor time.

#include "x_programs.h"

#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>
#include <X11/keysym.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace xprog;

constexpr long long kMs = 1'000'000;
constexpr int kWatchMs = 5000;

double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double percentile(std::vector<double> values, double p) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(p * double(values.size())))];
}

// Processor time of all the process's threads, in nanoseconds. A thread
// that has ended counts with the time it had when last seen (`seen`: thread
// id -> time).
long long cpu_ns(pid_t pid, std::map<std::string, long long>& seen) {
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    if (DIR* dir = opendir(tasks.c_str())) {
        while (dirent* entry = readdir(dir)) {
            if (entry->d_name[0] == '.')
                continue;
            std::ifstream stat(tasks + '/' + entry->d_name + "/schedstat");
            long long on_cpu = 0;
            if (stat >> on_cpu)
                seen[entry->d_name] = on_cpu;
        }
        closedir(dir);
    }
    long long sum = 0;
    for (const auto& [thread, on_cpu] : seen)
        sum += on_cpu;
    return sum;
}

// "VmRSS" (resident now) or "VmHWM" (the peak) of the process, in MB.
double memory_mb(pid_t pid, const std::string& field) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field + ':', 0) == 0)
            return std::atof(line.c_str() + field.size() + 1) / 1024.0;
    return 0;
}

// Processor use sampled every 10 ms from `from_ns` for `watch_ms`.
struct CpuTrace {
    std::vector<long long> at_ns, used_ns;
};

CpuTrace watch_cpu(pid_t pid, long long from_ns, int watch_ms) {
    CpuTrace trace;
    std::map<std::string, long long> seen;
    for (long long now = monotonic_ns(); now < from_ns + watch_ms * kMs; now = monotonic_ns()) {
        trace.at_ns.push_back(now - from_ns);
        trace.used_ns.push_back(cpu_ns(pid, seen));
        usleep(10000);
    }
    return trace;
}

// The end of the last 100 ms window with more than 10 ms of processor time.
double quiet_at_ms(const CpuTrace& t) {
    double quiet = 0;
    for (size_t j = 0, i = 0; j < t.at_ns.size(); ++j) {
        while (t.at_ns[j] - t.at_ns[i] > 100 * kMs)
            ++i;
        if (t.used_ns[j] - t.used_ns[i] > 10 * kMs)
            quiet = double(t.at_ns[j]) / 1e6;
    }
    return quiet;
}

// Waits until the program has used under 10 ms of processor time in 200 ms
// (at most `limit_ms`).
void wait_quiet(pid_t pid, int limit_ms) {
    const long long give_up = monotonic_ns() + limit_ms * kMs;
    std::map<std::string, long long> seen;
    long long before = cpu_ns(pid, seen);
    while (monotonic_ns() < give_up) {
        usleep(200000);
        const long long now = cpu_ns(pid, seen);
        if (now - before < 10 * kMs)
            return;
        before = now;
    }
}

// The window's pixels, to tell a real change from a blinking caret.
struct Pixels {
    std::vector<unsigned> data;
    static Pixels of(Display* display, Window window) {
        Pixels p;
        XWindowAttributes a{};
        if (!XGetWindowAttributes(display, window, &a))
            return p;
        XImage* image = XGetImage(display, window, 0, 0, unsigned(a.width), unsigned(a.height),
                                  AllPlanes, ZPixmap);
        if (!image)
            return p;
        p.data.reserve(size_t(a.width) * size_t(a.height));
        for (int y = 0; y < a.height; ++y)
            for (int x = 0; x < a.width; ++x)
                p.data.push_back(unsigned(XGetPixel(image, x, y)));
        XDestroyImage(image);
        return p;
    }
    size_t differences(const Pixels& other) const {
        if (other.data.size() != data.size())
            return data.size();
        size_t n = 0;
        for (size_t i = 0; i < data.size(); ++i)
            n += data[i] != other.data[i];
        return n;
    }
};

constexpr size_t kCaretPixels = 60;

struct Typed {
    std::vector<double> echo_ms;
    int lost = 0; // keys with no change of the window within a second
};

Typed type_into(Display* display, Window window, int keys, int interval_ms) {
    Typed typed;
    int damage_base = 0, error_base = 0;
    if (!XDamageQueryExtension(display, &damage_base, &error_base))
        return typed;
    XRaiseWindow(display, window);
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    XSync(display, False);
    usleep(300000);
    const Damage damage = XDamageCreate(display, window, XDamageReportNonEmpty);
    const KeyCode letter = XKeysymToKeycode(display, XK_a);
    const KeyCode back = XKeysymToKeycode(display, XK_BackSpace);
    pollfd x_events{ConnectionNumber(display), POLLIN, 0};
    for (int k = 0; k < keys; ++k) {
        XSync(display, False);
        XDamageSubtract(display, damage, None, None);
        XSync(display, False);
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
        }
        const Pixels before = Pixels::of(display, window);
        const KeyCode code = k % 2 == 0 ? letter : back;
        const long long sent = monotonic_ns();
        XTestFakeKeyEvent(display, code, True, CurrentTime);
        XTestFakeKeyEvent(display, code, False, CurrentTime);
        XFlush(display);
        bool seen = false;
        while (!seen && monotonic_ns() < sent + 1000 * kMs) {
            if (!XPending(display)) {
                poll(&x_events, 1, 5);
                continue;
            }
            XEvent event;
            XNextEvent(display, &event);
            if (event.type != damage_base + XDamageNotify)
                continue;
            const long long when = monotonic_ns();
            XDamageSubtract(display, damage, None, None);
            if (Pixels::of(display, window).differences(before) > kCaretPixels) {
                typed.echo_ms.push_back(double(when - sent) / 1e6);
                seen = true;
            }
        }
        typed.lost += seen ? 0 : 1;
        const long long next = sent + interval_ms * kMs;
        if (monotonic_ns() < next)
            usleep(useconds_t((next - monotonic_ns()) / 1000));
    }
    XDamageDestroy(display, damage);
    return typed;
}

struct Program {
    std::string name;
    std::vector<std::string> command;
};

int run_type(Display* display, int keys, int interval_ms, int rounds,
             const std::vector<Program>& programs) {
    std::map<std::string, std::vector<double>> echo;
    std::map<std::string, int> lost;
    for (int round = 0; round < rounds; ++round) {
        for (size_t p = 0; p < programs.size(); ++p) {
            // Alternate the order so that none always runs first.
            const Program& program = programs[(p + size_t(round)) % programs.size()];
            Started started = start(display, program.command);
            if (!started.ok())
                return 1;
            const Shown shown = wait_shown(display, started, 60'000 * kMs);
            if (!shown.painted_ns) {
                stop(started);
                std::fprintf(stderr, "%s never showed a painted window\n", program.name.c_str());
                return 1;
            }
            wait_quiet(started.pid, 10000);
            const Typed t = type_into(display, shown.window, keys, interval_ms);
            stop(started);
            auto& all = echo[program.name];
            all.insert(all.end(), t.echo_ms.begin(), t.echo_ms.end());
            lost[program.name] += t.lost;
        }
    }
    std::printf("Key -> window pixels (%d keys one every %d ms, %d starts of each, alternating):\n",
                keys, interval_ms, rounds);
    for (const Program& program : programs) {
        const auto& e = echo[program.name];
        std::printf("  %-12s median %6.2f ms, p90 %6.2f ms (%zu keys shown, %d not within 1 s)\n",
                    program.name.c_str(), median(e), percentile(e, 0.9), e.size(),
                    lost[program.name]);
    }
    const double ours = median(echo[programs[0].name]);
    for (size_t p = 1; p < programs.size(); ++p) {
        const double theirs = median(echo[programs[p].name]);
        const double ratio = theirs > 0 ? ours / theirs : 0;
        std::printf("  %s / %s: ratio %.2f (limit 1.00) %s\n", programs[0].name.c_str(),
                    programs[p].name.c_str(), ratio, ratio <= 1.0 ? "MET" : "NOT MET");
    }
    return 0;
}

int run_open(Display* display, int runs, const std::vector<Program>& programs) {
    std::map<std::string, std::vector<double>> rss, peak, cpu, quiet;
    for (int run = 0; run < runs; ++run) {
        for (size_t p = 0; p < programs.size(); ++p) {
            const Program& program = programs[(p + size_t(run)) % programs.size()];
            Started started = start(display, program.command);
            if (!started.ok())
                return 1;
            const Shown shown = wait_shown(display, started, 60'000 * kMs);
            if (!shown.painted_ns) {
                stop(started);
                std::fprintf(stderr, "%s never showed a painted window\n", program.name.c_str());
                return 1;
            }
            const CpuTrace trace = watch_cpu(started.pid, shown.painted_ns, kWatchMs);
            rss[program.name].push_back(memory_mb(started.pid, "VmRSS"));
            peak[program.name].push_back(memory_mb(started.pid, "VmHWM"));
            stop(started);
            cpu[program.name].push_back(
                trace.used_ns.empty() ? 0
                                      : double(trace.used_ns.back() - trace.used_ns.front()) / 1e6);
            quiet[program.name].push_back(quiet_at_ms(trace));
        }
    }
    std::printf("After opening, from the window painted (median of %d starts each, fresh home):\n",
                runs);
    for (const Program& program : programs)
        std::printf("  %-12s resident %6.1f MB after %d ms (peak %6.1f MB); processor %6.0f ms "
                    "in that time; quiet %5.0f ms after painted\n",
                    program.name.c_str(), median(rss[program.name]), kWatchMs,
                    median(peak[program.name]), median(cpu[program.name]),
                    median(quiet[program.name]));
    const double quiet_ours = median(quiet[programs[0].name]);
    for (auto* figure : {&rss, &peak}) {
        const double ours = median((*figure)[programs[0].name]);
        for (size_t p = 1; p < programs.size(); ++p) {
            const double theirs = median((*figure)[programs[p].name]);
            const double ratio = theirs > 0 ? ours / theirs : 0;
            std::printf("  %s %s / %s: ratio %.2f (limit 1.30) %s\n",
                        figure == &rss ? "resident" : "peak", programs[0].name.c_str(),
                        programs[p].name.c_str(), ratio, ratio <= 1.3 ? "MET" : "NOT MET");
        }
    }
    std::printf("  %s quiet %.0f ms after painted (limit 300 ms) %s\n", programs[0].name.c_str(),
                quiet_ours, quiet_ours <= 300 ? "MET" : "NOT MET");
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    const std::string mode = argc > 1 ? argv[1] : "";
    const int first_program = mode == "type" ? 5 : 3;
    if ((mode != "type" && mode != "open") || argc < first_program + 2 ||
        (argc - first_program) % 2 != 0) {
        std::fprintf(stderr,
                     "usage: %s type KEYS INTERVAL_MS ROUNDS NAME \"CMD\" [NAME \"CMD\"]...\n"
                     "       %s open RUNS NAME \"CMD\" [NAME \"CMD\"]...\n",
                     argv[0], argv[0]);
        return 2;
    }
    std::vector<Program> programs;
    for (int i = first_program; i + 1 < argc; i += 2)
        programs.push_back({argv[i], split(argv[i + 1])});
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "open_and_type: no X display\n");
        return 2;
    }
    XSetErrorHandler(ignore_x_error);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    const int status = mode == "type"
                           ? run_type(display, std::atoi(argv[2]), std::atoi(argv[3]),
                                      std::atoi(argv[4]), programs)
                           : run_open(display, std::max(1, std::atoi(argv[2])), programs);
    XCloseDisplay(display);
    return status;
}
