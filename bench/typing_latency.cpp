// Keystroke latency with the real preview pane (Qt WebEngine) switched on:
//
//   typing_latency [KEYS] [INTERVAL_MS] [SIZE_KB...]
//
// For each document size the program opens a document of that size, waits
// until the pane has shown it, then types KEYS characters, one every
// INTERVAL_MS milliseconds, as key events posted to the edit area. A
// keystroke's latency runs from posting its key event until the change
// reaction (preview file written, reload asked) has finished. A 2 ms
// heartbeat timer measures the longest stall of the event loop meanwhile.
// After the typing it checks the reload rule: at most one reload in flight,
// and changes made during a reload lead to exactly one more reload.

#include "app/form1.h"
#include "app/form1_parts.h"
#include "bench_support.h"
#include "editor/scintilla_edit_area.h"
#include "preview/browser_host.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <Qsci/qsciscintilla.h>

#include <cstdio>
#include <deque>

namespace {

using bench::wait_until;

// Counts key presses delivered to the edit area.
class KeyCounter : public QObject {
  public:
    int delivered = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::KeyPress)
            ++delivered;
        return false;
    }
};

struct Result {
    std::vector<double> latencies_ms;
    double longest_stall_ms = 0;
    int reloads = 0;
    bool rule_kept = false;
    double last_load_ms = 0;
};

Result type_into(Form1& window, int keys, int interval_ms) {
    Result result;
    BrowserHost* host = window.browser();
    QsciScintilla* editor = Form1Parts(window).editor();
    KeyCounter counter;
    editor->installEventFilter(&counter);

    std::deque<qint64> posted; // when each undelivered keystroke was posted
    QElapsedTimer clock;
    clock.start();
    auto connection = QObject::connect(&Form1Parts(window).edit_area(), &EditArea::changed, [&] {
        // Connected after the window's own reaction: runs when it has finished.
        const qint64 now = clock.nsecsElapsed();
        while (!posted.empty() && counter.delivered > 0) {
            result.latencies_ms.push_back(double(now - posted.front()) / 1e6);
            posted.pop_front();
            --counter.delivered;
        }
    });

    qint64 last_beat = clock.nsecsElapsed();
    QTimer heartbeat;
    heartbeat.setInterval(2);
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        result.longest_stall_ms = std::max(result.longest_stall_ms, double(now - last_beat) / 1e6);
        last_beat = now;
    });
    heartbeat.start();

    const int reloads_before = host->reloads_started();
    int typed = 0;
    QTimer typist;
    typist.setInterval(interval_ms);
    QObject::connect(&typist, &QTimer::timeout, [&] {
        if (typed == keys) {
            typist.stop();
            return;
        }
        ++typed;
        posted.push_back(clock.nsecsElapsed());
        QCoreApplication::postEvent(editor, new QKeyEvent(QEvent::KeyPress, Qt::Key_A,
                                                          Qt::NoModifier, QStringLiteral("a")));
        QCoreApplication::postEvent(editor, new QKeyEvent(QEvent::KeyRelease, Qt::Key_A,
                                                          Qt::NoModifier, QStringLiteral("a")));
    });
    typist.start();
    wait_until([&] { return typed == keys && posted.empty(); }, keys * interval_ms + 30000);
    heartbeat.stop();
    QObject::disconnect(connection);
    editor->removeEventFilter(&counter);

    // The reload rule, from the state right after the last keystroke.
    const int reloads_at_end = host->reloads_started();
    const bool pending = host->reload_pending();
    result.reloads = reloads_at_end - reloads_before;
    QElapsedTimer tail;
    tail.start();
    const bool quiet = wait_until([&] { return !host->load_in_flight(); }, 120000);
    result.last_load_ms = double(tail.elapsed());
    const int more = host->reloads_started() - reloads_at_end;
    result.rule_kept =
        quiet && more == (pending ? 1 : 0) && result.reloads <= int(result.latencies_ms.size());
    return result;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int keys = argc > 1 ? std::atoi(argv[1]) : 40;
    const int interval_ms = argc > 2 ? std::atoi(argv[2]) : 50;
    std::vector<int> sizes_kb;
    for (int i = 3; i < argc; ++i)
        sizes_kb.push_back(std::atoi(argv[i]));
    if (sizes_kb.empty())
        sizes_kb = {10, 1024, 5120};

    QTemporaryDir dir;
    Form1 window;
    window.show();
    if (!wait_until([&] { return window.windowHandle() && window.windowHandle()->isExposed(); },
                    10000)) {
        std::printf("the window never appeared\n");
        return 1;
    }
    window.run_item(QStringLiteral("Command2"));
    if (!window.browser()->pane()) {
        std::printf("preview pane unavailable: no latency figures\n");
        return 1;
    }
    wait_until([&] { return !window.browser()->load_in_flight(); }, 60000);

    std::printf("Keystroke latency with the WebEngine pane on (%s, %d keys, one every %d ms;\n"
                "latency = key event posted -> preview written and reload asked):\n",
                qPrintable(QGuiApplication::platformName()), keys, interval_ms);
    bool all_kept = true;
    for (const int kb : sizes_kb) {
        const QString path = dir.filePath(QStringLiteral("page-%1.htm").arg(kb));
        bench::write_file(path, bench::html_document(qsizetype(kb) * 1024));
        QElapsedTimer load;
        load.start();
        Form1Parts(window).session().open_path(path);
        Form1Parts(window).edit_area().set_caret(Form1Parts(window).edit_area().text().size() / 2);
        wait_until([&] { return !window.browser()->load_in_flight(); }, 120000);
        const double shown_ms = double(load.elapsed());
        const Result r = type_into(window, keys, interval_ms);
        all_kept = all_kept && r.rule_kept;
        std::printf("  %6d KB: median %6.2f ms, p95 %6.2f ms, max %7.2f ms; longest event-loop "
                    "stall %7.2f ms; page load %6.0f ms; %d reloads for %zu keys; reload rule %s\n",
                    kb, bench::median(r.latencies_ms), bench::percentile(r.latencies_ms, 0.95),
                    r.latencies_ms.empty()
                        ? 0.0
                        : *std::max_element(r.latencies_ms.begin(), r.latencies_ms.end()),
                    r.longest_stall_ms, shown_ms, r.reloads, r.latencies_ms.size(),
                    r.rule_kept ? "kept" : "BROKEN");
    }
    Form1Parts(window).editor()->setModified(false);
    return all_kept ? 0 : 1;
}
