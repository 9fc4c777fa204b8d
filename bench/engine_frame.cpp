// The page engine alone, without Marklet: how long Qt WebEngine takes to
// show a one-character change of a page, for the pages pane_latency types
// into.
//
//   engine_frame [--sections] [--every MS [--rounds N]] SIZE_KB...
//
// For each size a plain QWebEngineView loads the page; then, twenty times
// (N), a script appends a character to the first paragraph's text and times
// the layout that follows (forced at once) and the rest of the frame (until
// a task after the next animation frame runs). The changes come 100 ms apart,
// or MS apart: the page engine's own part in the pane's figures at a user's
// rhythm (its first frame after a pause). Run it drawn as the pane is
// drawn on this machine (QT_QUICK_BACKEND=software where OpenGL is drawn by
// the CPU). Nothing of Marklet is in the loop: what this prints is the floor
// under the pane's figures.

#include "bench_support.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <cstdio>
#include <memory>

namespace {

const char* const kProbe = R"(
(function (every, rounds) {
    window.engineFrame = {done: false, layout: 0, frame: 0};
    const p = document.getElementsByTagName('p')[0];
    const layout = [], frame = [];
    const median = (v) => v.slice().sort((a, b) => a - b)[v.length >> 1];
    let round = 0;
    function step() {
        if (round++ === rounds) {
            Object.assign(window.engineFrame, {done: true, layout: median(layout),
                                               frame: median(frame)});
            return;
        }
        p.firstChild.nodeValue += 'a';
        const start = performance.now();
        document.body.offsetHeight;
        const laidOut = performance.now();
        layout.push(laidOut - start);
        requestAnimationFrame(() => setTimeout(() => {
            frame.push(performance.now() - laidOut);
            setTimeout(step, every);
        }, 0));
    }
    setTimeout(step, every);
})
)";

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool sections = args.removeAll(QStringLiteral("--sections")) > 0;
    int every = 100, rounds = 20;
    for (const auto& [option, value] : {std::pair{"--every", &every}, {"--rounds", &rounds}}) {
        const qsizetype at = args.indexOf(QLatin1String(option));
        if (at >= 0 && at + 1 < args.size()) {
            *value = args[at + 1].toInt();
            args.remove(at, 2);
        }
    }
    if (args.isEmpty() || every <= 0 || rounds <= 0) {
        std::printf("usage: engine_frame [--sections] [--every MS [--rounds N]] SIZE_KB...\n");
        return 2;
    }
    QTemporaryDir dir;
    QWebEngineView view;
    view.resize(620, 820);
    view.show();
    std::printf("One-character change -> frame, Qt WebEngine alone (%s, one every %d ms):\n",
                sections ? "paragraphs in sections of 100" : "paragraphs straight in the body",
                every);
    for (const QString& size : args) {
        const int kb = size.toInt();
        const QString path = dir.filePath(QStringLiteral("page-%1.htm").arg(kb));
        bench::write_file(path, bench::html_document(qsizetype(kb) * 1024, sections ? 100 : 0));
        bool loaded = false;
        const auto connection = QObject::connect(view.page(), &QWebEnginePage::loadFinished,
                                                 [&](bool) { loaded = true; });
        view.load(QUrl::fromLocalFile(path));
        bench::wait_until([&] { return loaded; }, 120000, 10);
        QObject::disconnect(connection);
        bench::wait_until([] { return false; }, 1000, 10);
        view.page()->runJavaScript(
            QStringLiteral("%1(%2, %3);").arg(QString::fromLatin1(kProbe)).arg(every).arg(rounds));
        // Asked again once the last question is answered; an answer that
        // comes after the wait lands in memory of its own.
        auto answer = std::make_shared<QVariantList>();
        auto asking = std::make_shared<bool>(false);
        bench::wait_until(
            [&] {
                if (!*asking) {
                    *asking = true;
                    view.page()->runJavaScript(
                        QStringLiteral("window.engineFrame && engineFrame.done ? "
                                       "[engineFrame.layout, engineFrame.frame] : null"),
                        [answer, asking](const QVariant& v) {
                            *answer = v.toList();
                            *asking = false;
                        });
                }
                return answer->size() == 2;
            },
            60000 + every * rounds, 50);
        if (answer->size() != 2) {
            std::printf("  %6d KB: no answer from the page\n", kb);
            continue;
        }
        const double layout = (*answer)[0].toDouble(), frame = (*answer)[1].toDouble();
        std::printf("  %6d KB: layout %6.1f ms + rest of the frame %6.1f ms = %6.1f ms "
                    "(medians of %d)\n",
                    kb, layout, frame, layout + frame, rounds);
        std::fflush(stdout);
    }
    return 0;
}
