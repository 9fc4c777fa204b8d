// Times whole processes from their start until their window is on screen, and
// their peak memory, for two programs run alternately in the same run:
//
//   startup_timer RUNS LIMIT TITLE NAME_A "COMMAND A" NAME_B "COMMAND B"
//
// Each command is split on spaces. Both are started with
// MARKLET_EXIT_WHEN_SHOWN=1, print "MARKLET_SHOWN <monotonic ns>" when their
// window has been painted and end. Prints the medians and the ratio A / B
// against LIMIT, for the time and for the peak resident memory.

#include "shown_signal.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

struct Sample {
    double ms = 0;
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

Sample run_once(const std::vector<std::string>& words) {
    Sample sample;
    int out[2];
    if (pipe(out) != 0)
        return sample;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::vector<char*> argv;
    for (const auto& w : words)
        argv.push_back(const_cast<char*>(w.c_str()));
    argv.push_back(nullptr);
    const long long start = bench::monotonic_ns();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        std::fprintf(stderr, "cannot start %s: %s\n", argv[0], std::strerror(spawned));
        close(out[0]);
        return sample;
    }
    std::string text;
    char buffer[4096];
    pollfd wait_for{out[0], POLLIN, 0};
    while (poll(&wait_for, 1, 30000) > 0) {
        const ssize_t got = read(out[0], buffer, sizeof buffer);
        if (got <= 0)
            break;
        text.append(buffer, size_t(got));
    }
    close(out[0]);
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, WNOHANG, &usage) == 0) {
        kill(pid, SIGKILL);
        wait4(pid, &status, 0, &usage);
    }
    const auto at = text.find("MARKLET_SHOWN ");
    if (at == std::string::npos) {
        std::fprintf(stderr, "%s never showed its window\n", argv[0]);
        return sample;
    }
    const long long shown = std::atoll(text.c_str() + at + 14);
    sample.ms = double(shown - start) / 1e6;
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

void verdict(const char* what, const char* unit, const std::string& name_a, double a,
             const std::string& name_b, double b, double limit) {
    const double ratio = b > 0 ? a / b : 0;
    std::printf("  %-10s %s %.1f %s, %s %.1f %s: ratio %.2f (limit %.2f) %s\n", what,
                name_a.c_str(), a, unit, name_b.c_str(), b, unit, ratio, limit,
                ratio <= limit ? "MET" : "NOT MET");
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
    setenv("MARKLET_EXIT_WHEN_SHOWN", "1", 1);

    // One run of each first, unmeasured: loads the libraries into the page cache.
    run_once(command_a);
    run_once(command_b);
    std::vector<double> ms_a, ms_b, rss_a, rss_b;
    for (int i = 0; i < runs; ++i) {
        for (int which = 0; which < 2; ++which) {
            // Alternate the order so that neither always runs second.
            const bool first_a = (i + which) % 2 == 0;
            const Sample s = run_once(first_a ? command_a : command_b);
            if (!s.ok)
                return 1;
            (first_a ? ms_a : ms_b).push_back(s.ms);
            (first_a ? rss_a : rss_b).push_back(s.rss_mb);
        }
    }
    std::printf("%s (median of %d runs each)\n", title.c_str(), runs);
    verdict("time", "ms", name_a, median(ms_a), name_b, median(ms_b), limit);
    verdict("peak RSS", "MB", name_a, median(rss_a), name_b, median(rss_b), limit);
    return 0;
}
