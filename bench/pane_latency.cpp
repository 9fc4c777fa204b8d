// Key press -> change in the preview pane's pixels, black-box, with the real
// WebEngine pane on an X display:
//
//   pane_latency [--load-every-change] [--sections] [--editor] KEYS INTERVAL_MS SIZE_KB...
//
// For each size the program opens a page of that size, switches the pane on,
// puts the caret in the first paragraph (on screen in the pane) and types
// KEYS characters, one every INTERVAL_MS, as key events posted to the edit
// area. A thread of its own watches the window through the X Damage
// extension: at each damage it reads the pane's rectangle of the window back
// (through shared memory, XShmGetImage) and, when those pixels differ from
// the last ones, notes the time the damage arrived: the time they were drawn,
// not the time the read took to come back (drawn with OpenGL, the window is
// one surface once the pane is on: damage alone cannot tell the pane from the
// edit area). For each key: the first change of the pane after it (a key
// shown only together with a later one counts until then), and the last
// change before the next key; after the last key, how long until the pane
// stops changing. The caret's outline is switched off (it would be a change
// of its own 150 ms after the last key).
// Where the page engine needs longer than the interval for one frame, the
// first change after a key may still show an earlier key: time such pages
// with an interval longer than their frames (e.g. 300 ms).
//
// --load-every-change loads the page again at every change, as before the
// pane was patched, for the comparison. --sections puts the paragraphs in
// sections of 100 instead of straight into the body: the page engine lays
// out and paints all the children of the changed element's parent at each
// change, so its cost follows the number of siblings, not the page's size.
// --editor watches the edit area instead of the pane (with the pane on):
// the keystroke's own echo.
//
//   pane_latency --open-tails KEYS SIZE_KB...
//
// puts a comment, script, style, textarea or title left open at the top of
// the body (the rest of the page runs into it) and types KEYS keys 300 ms
// apart inside it: the processor time of the program and its page
// processes per key, beside the same page without it, as a ratio.
//
//   pane_latency --rhythms KEYS SIZE_KB...
//
// types at a user's rhythms, the caret's outline on as the user has it: KEYS
// keys 100 ms, 300 ms and 1 s apart, and a few keys each after 8 s without
// one; each figure beside the pane's aims (median 40 ms, p90 80 ms, no key
// shown only with a later one) as a ratio; at 5 MB and more, beside the page
// engine's own frame for the change (engine_frame, run here) instead. Each
// figure also stands beside a bare Qt WebEngine view typed into at the same
// rhythms (bare_pane, run first): the floor on this machine, as a ratio.

#include "app/form1.h"
#include "app/form1_parts.h"
#include "app/preview_controller.h"
#include "bench_support.h"
#include "editor/scintilla_edit_area.h"
#include "preview/browser_host.h"
#include "preview/live_preview.h"

#include <QApplication>
#include <QDir>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QWindow>
#include <Qsci/qsciscintilla.h>

#include <cstdio>
#include <map>
#include <unistd.h>

// Last: X11's macros clash with names in Qt's headers.
#include "pixel_watch.h"

namespace {

using pixels::Figures;
using pixels::PixelWatch;
using pixels::wait_until;

// Processor time of this process and every process below it (the page
// engine's), in milliseconds.
double tree_cpu_ms() {
    std::map<long, long> parent;
    std::map<long, double> ticks;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool number = false;
        const long pid = entry.toLong(&number);
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!number || !stat.open(QIODevice::ReadOnly))
            continue;
        // After the name in parentheses: state, ppid, ... utime (14th), stime.
        const QByteArray line = stat.readAll();
        const QList<QByteArray> f = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (f.size() < 13)
            continue;
        parent[pid] = f[1].toLong();
        ticks[pid] = f[11].toDouble() + f[12].toDouble();
    }
    const long self = QCoreApplication::applicationPid();
    double total = 0;
    for (const auto& [pid, t] : ticks) {
        long p = pid;
        while (p > 1 && p != self)
            p = parent.count(p) ? parent[p] : 0;
        if (p == self)
            total += t;
    }
    return total * 1000.0 / double(sysconf(_SC_CLK_TCK));
}

// A program of the page engine alone (engine_frame, bare_pane) run from
// here, drawn as the pane is drawn on this machine: its output, empty when
// it did not finish within `timeout_ms`.
QString run_engine_alone(const char* program, const QStringList& arguments, int timeout_ms) {
    QProcess probe;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QUICK_BACKEND"), QStringLiteral("software"));
    probe.setProcessEnvironment(env);
    probe.start(QCoreApplication::applicationDirPath() + u'/' + QLatin1String(program), arguments);
    if (!probe.waitForFinished(timeout_ms))
        return {};
    return QString::fromUtf8(probe.readAllStandardOutput());
}

// The page engine's own frame for a one-character change of the same page
// (engine_frame beside this program, drawn as the pane is); 0 when unknown.
double engine_frame_ms(int kb) {
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("= +([0-9.]+) ms"))
            .match(run_engine_alone("engine_frame", {QString::number(kb)}, 300000));
    return m.hasMatch() ? m.captured(1).toDouble() : 0;
}

// The medians of bare_pane (a bare Qt WebEngine view) for the same keys and
// sizes, by "KB/rhythm"; its figures are printed once it has finished.
QMap<QString, double> bare_medians(int keys, const QStringList& sizes) {
    const QString out =
        run_engine_alone("bare_pane", QStringList{QString::number(keys)} + sizes, 1800000);
    std::printf("%s\n", qPrintable(out));
    QMap<QString, double> medians;
    static const QRegularExpression line(
        QStringLiteral("(\\d+) KB, (.+?) *: median +([0-9.]+) ms"));
    for (auto m = line.globalMatch(out); m.hasNext();) {
        const QRegularExpressionMatch one = m.next();
        medians.insert(one.captured(1) + u'/' + one.captured(2), one.captured(3).toDouble());
    }
    return medians;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool load_every_change = args.removeAll(QStringLiteral("--load-every-change")) > 0;
    const bool sections = args.removeAll(QStringLiteral("--sections")) > 0;
    const bool editor = args.removeAll(QStringLiteral("--editor")) > 0;
    const bool rhythms = args.removeAll(QStringLiteral("--rhythms")) > 0;
    const bool tails = args.removeAll(QStringLiteral("--open-tails")) > 0;
    if (rhythms || tails)
        args.insert(1, QStringLiteral("0"));
    if (args.size() < 3) {
        std::printf("usage: pane_latency [--load-every-change] [--sections] [--editor] KEYS "
                    "INTERVAL_MS SIZE_KB...\n"
                    "       pane_latency --rhythms KEYS SIZE_KB...\n"
                    "       pane_latency --open-tails KEYS SIZE_KB...\n");
        return 2;
    }
    const int keys = args[0].toInt(), interval_ms = args[1].toInt();

    // The bare view first, at the same rhythms and sizes, before Marklet's
    // window takes its place on the screen.
    const QMap<QString, double> bare =
        rhythms ? bare_medians(keys, args.mid(2)) : QMap<QString, double>();

    QTemporaryDir dir;
    Form1 window;
    // Half the screen: switching the pane on doubles the width, and the
    // pane must be on screen to be read back.
    window.resize(620, 820);
    window.move(0, 0);
    window.show();
    if (!wait_until([&] { return window.windowHandle() && window.windowHandle()->isExposed(); },
                    10000))
        return 1;
    window.run_item(QStringLiteral("Command2"));
    BrowserHost* host = window.browser();
    if (!host->pane()) {
        std::printf("preview pane unavailable\n");
        return 1;
    }
    Form1Parts(window).live_preview()->set_patching(!load_every_change);
    // No outline: it would be a change of the pane of its own. (At the
    // user's rhythms it stays: what the caret's rest does is part of them.)
    if (!rhythms)
        QObject::disconnect(&Form1Parts(window).edit_area(), &ScintillaEditArea::caret_moved,
                            window.findChild<PreviewController*>(), nullptr);
    wait_until([&] { return host->shows_page(); }, 60000);

    if (tails) {
        std::printf("Processor time per key inside text left open to the end of the page "
                    "(program and page processes; %d keys 300 ms apart):\n",
                    keys);
        for (int i = 2; i < args.size(); ++i) {
            const int kb = args[i].toInt();
            double plain = 0;
            for (const char* opening :
                 {"", "<!--", "<script>", "<style>", "<textarea>", "<title>"}) {
                QByteArray page = bench::html_document(qsizetype(kb) * 1024);
                page.replace("<body>\r\n", QByteArray("<body>\r\n") + opening + "\r\n");
                const QString path = dir.filePath(QStringLiteral("tail-%1.htm").arg(kb));
                bench::write_file(path, page);
                Form1Parts(window).session().open_path(path);
                wait_until([&] { return host->shows_page(); }, 120000);
                const QString text = Form1Parts(window).edit_area().text().left(4096);
                Form1Parts(window).edit_area().set_caret(text.indexOf(QLatin1String("Riga 0")) + 4);
                wait_until([&] { return false; }, 1500);
                PixelWatch watch(window.winId(),
                                 QRect(host->mapTo(&window, QPoint(0, 0)), host->size()));
                const double before = tree_cpu_ms();
                pixels::measure(Form1Parts(window).editor(), watch, keys, 300, 1500, 3000);
                const double per_key = (tree_cpu_ms() - before) / keys;
                if (!*opening)
                    plain = per_key;
                std::printf("  %6d KB, %-12s %7.1f ms a key%s\n", kb, *opening ? opening : "(none)",
                            per_key,
                            *opening
                                ? qPrintable(QStringLiteral(": ratio %1 (limit 1.20) %2")
                                                 .arg(per_key / plain, 0, 'f', 2)
                                                 .arg(per_key <= 1.2 * plain ? "MET" : "NOT MET"))
                                : "");
                std::fflush(stdout);
            }
        }
        Form1Parts(window).editor()->setModified(false);
        return 0;
    }
    if (rhythms)
        std::printf("Key -> pane pixels at a user's rhythms (%s, caret outline on; ratios to the "
                    "aims: median 40 ms, p90 80 ms):\n",
                    qPrintable(QGuiApplication::platformName()));
    else
        std::printf("Key -> %s pixels (%s, %d keys, one every %d ms; %s):\n",
                    editor ? "edit area" : "pane", qPrintable(QGuiApplication::platformName()),
                    keys, interval_ms,
                    load_every_change ? "the page loads at every change" : "patched in place");
    for (int i = 2; i < args.size(); ++i) {
        const int kb = args[i].toInt();
        const QString path = dir.filePath(QStringLiteral("page-%1.htm").arg(kb));
        bench::write_file(path, bench::html_document(qsizetype(kb) * 1024, sections ? 100 : 0));
        Form1Parts(window).session().open_path(path);
        wait_until([&] { return host->shows_page(); }, 120000);
        // The caret in the first paragraph's text, on screen in the pane.
        const QString text = Form1Parts(window).edit_area().text().left(4096);
        Form1Parts(window).edit_area().set_caret(text.indexOf(QLatin1String("Riga 0")) + 4);
        wait_until([&] { return false; }, 1500);
        // A blinking caret would be a change of its own.
        if (editor)
            Form1Parts(window).editor()->SendScintilla(QsciScintilla::SCI_SETCARETPERIOD, 0UL);
        QWidget* watched =
            editor ? Form1Parts(window).editor()->viewport() : static_cast<QWidget*>(host);
        const QPoint corner = watched->mapTo(&window, QPoint(0, 0));
        PixelWatch watch(window.winId(), QRect(corner, watched->size()));
        if (!watch.ok()) {
            std::printf("no X Damage: no figures\n");
            return 1;
        }
        if (rhythms) {
            // Pages whose frame alone takes longer than the aims are held to
            // the page engine's own frame for the same change, measured now.
            const double floor = kb >= 5120 ? engine_frame_ms(kb) : 0;
            if (floor > 0)
                std::printf(
                    "  %6d KB: the page engine alone needs %.1f ms a change (engine_frame); "
                    "aim: within 1.25x of it\n",
                    kb, floor);
            for (const auto& [count, every] : pixels::user_rhythms(keys)) {
                const Figures f =
                    pixels::measure(Form1Parts(window).editor(), watch, count, every, 2000);
                const double median = bench::median(f.first_ms);
                const double p90 = bench::percentile(f.first_ms, 0.9);
                const QString rhythm = pixels::rhythm_name(every);
                const double peer = bare.value(QStringLiteral("%1/%2").arg(kb).arg(rhythm));
                const QByteArray beside = peer > 0 ? QStringLiteral("; bare view %1 ms, ratio %2")
                                                         .arg(peer, 0, 'f', 1)
                                                         .arg(median / peer, 0, 'f', 2)
                                                         .toUtf8()
                                                   : QByteArray();
                if (floor > 0) {
                    std::printf("  %6d KB, %-19s: median %7.1f ms (ratio %.2f to the engine), p90 "
                                "%7.1f ms; %d of %d keys shown only with a later one%s%s\n",
                                kb, qPrintable(rhythm), median, median / floor, p90, f.missed,
                                count, beside.constData(),
                                median <= 1.25 * floor ? "" : "  NOT MET");
                    std::fflush(stdout);
                    continue;
                }
                std::printf("  %6d KB, %-19s: median %7.1f ms (ratio %.2f), p90 %7.1f ms "
                            "(ratio %.2f); %d of %d keys shown only with a later one%s%s\n",
                            kb, qPrintable(rhythm), median, median / 40, p90, p90 / 80, f.missed,
                            count, beside.constData(),
                            median <= 40 && p90 <= 80 && f.missed == 0 ? "" : "  NOT MET");
                std::fflush(stdout);
            }
            continue;
        }
        const LivePreview::Counts before = Form1Parts(window).live_preview()->counts();
        const Figures f = pixels::measure(Form1Parts(window).editor(), watch, keys, interval_ms,
                                          load_every_change ? 10000 : 2000);
        const LivePreview::Counts after = Form1Parts(window).live_preview()->counts();
        std::printf(
            "  %6d KB: first change median %7.1f ms, p90 %7.1f ms; last change median "
            "%7.1f ms, p90 %7.1f ms; settled %7.1f ms after the last key; %d keys shown only "
            "with a later one; %d patches, %d loads\n",
            kb, bench::median(f.first_ms), bench::percentile(f.first_ms, 0.9),
            bench::median(f.last_ms), bench::percentile(f.last_ms, 0.9), f.settle_ms, f.missed,
            after.patches - before.patches, after.reloads - before.reloads);
        std::fflush(stdout);
    }
    Form1Parts(window).editor()->setModified(false);
    return 0;
}
