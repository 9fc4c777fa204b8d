// The page checker in the real window:
//
//   check_latency [RUNS] [SIZE_KB...]
//
// For each size the program opens a page of that size with a few faults,
// then RUNS times types one character and waits for the marks. Each run is
// timed from the end of the typing pause (the check starts) until the marks
// are shown; a 2 ms heartbeat timer measures the longest stall of the event
// loop meanwhile, which says whether the window stayed responsive, and for
// comparison during the pause before (nothing of ours runs then: what it
// shows is the machine's own noise).

#include "app/form1.h"
#include "app/form1_parts.h"
#include "bench_support.h"
#include "dialogs/file_error_text.h"
#include "document/temp_files.h"
#include "writing_help/check_marks.h"
#include "writing_help/page_checker.h"
#include "writing_help/writing_help.h"

#include <QApplication>
#include <QTimer>
#include <Qsci/qsciscintilla.h>

#include <cstdio>

namespace {

struct Run {
    double to_marks_ms = 0;
    double longest_stall_ms = 0;
    double idle_stall_ms = 0; // during the pause before the check
};

Run one_check(Form1& window, WritingHelp& help) {
    QElapsedTimer clock, beat;
    Run run;
    bool done = false;
    QTimer heartbeat;
    heartbeat.setInterval(2);
    bool checking = false;
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
        double& stall = checking ? run.longest_stall_ms : run.idle_stall_ms;
        stall = std::max(stall, beat.nsecsElapsed() / 1e6);
        beat.restart();
    });
    auto started = QObject::connect(&help.checker(), &PageChecker::started, [&] {
        clock.start();
        beat.restart();
        checking = true;
    });
    // Connected after the marks' own slot: runs once they are shown.
    auto finished = QObject::connect(&help.checker(), &PageChecker::finished, [&] {
        run.to_marks_ms = clock.nsecsElapsed() / 1e6;
        heartbeat.stop();
        done = true;
    });
    bench::key(Form1Parts(window).editor(), Qt::Key_A, QStringLiteral("a"));
    beat.start();
    heartbeat.start();
    while (!done)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    QObject::disconnect(started);
    QObject::disconnect(finished);
    return run;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    std::vector<int> sizes_kb;
    for (int i = 2; i < argc; ++i)
        sizes_kb.push_back(atoi(argv[i]));
    if (sizes_kb.empty())
        sizes_kb = {100, 5120};
    FileError error;
    const auto dir = private_temp_dir(&error);
    if (!dir) {
        std::fprintf(stderr, "no temporary folder: %s\n", qPrintable(describe(error)));
        return 1;
    }
    std::printf("Page check, from the end of the pause to the marks shown (%d runs each):\n", runs);
    for (const int kb : sizes_kb) {
        QByteArray page = bench::html_document(qsizetype(kb) * 1024);
        page.replace("<body>", "<body><foo>x</foo><img src=\"a.png\"><p><b>x</p>");
        const QString path = *dir + QStringLiteral("/check.htm");
        bench::write_file(path, page);
        Form1 window;
        window.show();
        if (!Form1Parts(window).session().open_path(path))
            return 1;
        auto* help = window.findChild<WritingHelp*>();
        Form1Parts(window).editor()->SendScintilla(QsciScintillaBase::SCI_GOTOPOS,
                                                   (unsigned long)(page.size() / 2));
        one_check(window, *help); // the one after opening
        std::vector<double> times, stalls, idle;
        for (int i = 0; i < runs; ++i) {
            const Run run = one_check(window, *help);
            times.push_back(run.to_marks_ms);
            stalls.push_back(run.longest_stall_ms);
            idle.push_back(run.idle_stall_ms);
        }
        std::printf("  %5d KB: median %8.1f ms (range %.1f-%.1f); longest event-loop stall "
                    "median %.1f ms, max %.1f ms (in the pause before: median %.1f ms, max %.1f "
                    "ms); %d errors, %d warnings\n",
                    kb, bench::median(times), *std::min_element(times.begin(), times.end()),
                    *std::max_element(times.begin(), times.end()), bench::median(stalls),
                    *std::max_element(stalls.begin(), stalls.end()), bench::median(idle),
                    *std::max_element(idle.begin(), idle.end()), help->marks().errors(),
                    help->marks().warnings());
        Form1Parts(window).editor()->setModified(false);
    }
    return 0;
}
