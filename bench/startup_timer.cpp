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

#include "x_programs.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace xprog;

struct Sample {
    double mapped_ms = 0;
    double painted_ms = 0;
    double rss_mb = 0;
    bool ok = false;
};

Sample run_once(Display* display, const std::vector<std::string>& words) {
    Sample sample;
    Started started = start(display, words);
    if (!started.ok())
        return sample;
    const Shown shown = wait_shown(display, started, 30'000'000'000LL);
    const rusage usage = stop(started);
    if (!shown.painted_ns) {
        std::fprintf(stderr, "%s never showed a painted window\n", words[0].c_str());
        return sample;
    }
    sample.mapped_ms = double(shown.mapped_ns - started.start_ns) / 1e6;
    sample.painted_ms = double(shown.painted_ns - started.start_ns) / 1e6;
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
             const std::vector<double>& a, const std::string& name_b, const std::vector<double>& b,
             double limit) {
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
