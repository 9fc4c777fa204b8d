// Google Benchmark: the cost of one typed character in a large document (edit
// + preview file written) against a plain write of the same bytes, and the
// opening of a 5 MB file against loading its bytes into a bare QsciScintilla.
// Runs on Qt's offscreen platform; prints each pair's ratio at the end.

#include "app/form1.h"
#include "app/form1_parts.h"
#include "bench_support.h"
#include "dialogs/file_error_text.h"
#include "document/file_io.h"
#include "document/temp_files.h"
#include "editor/scintilla_edit_area.h"

#include <QApplication>
#include <QDir>
#include <Qsci/qsciscintilla.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fcntl.h>
#include <map>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qsizetype kMB = 1024 * 1024;

QString folder() {
    FileError error;
    const auto dir = private_temp_dir(&error);
    if (!dir) {
        std::fprintf(stderr, "no temporary folder: %s\n", qPrintable(describe(error)));
        std::exit(1);
    }
    return *dir;
}

const QByteArray& document(qsizetype size) {
    static std::map<qsizetype, QByteArray> made;
    auto& bytes = made[size];
    if (bytes.isEmpty())
        bytes = bench::html_document(size);
    return bytes;
}

// The baseline of the change reaction: the document's bytes written over a
// file in the preview's folder, nothing else.
void BM_PlainWrite(benchmark::State& state) {
    const QByteArray& bytes = document(state.range(0) * kMB);
    const QByteArray path = QFile::encodeName(folder() + QStringLiteral("/plain.htm"));
    for (auto _ : state) {
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (fd < 0 || ::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size()) {
            state.SkipWithError("write failed");
            break;
        }
        ::close(fd);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

// One typed character in the middle of the document, in the real window.
// Timed: Scintilla's edit, its repaint (the change notice follows it), the
// notice and the preview file written; with `painted` (range 1) also what
// is left to settle after it. Typing and deleting alternate so
// the document keeps its size.
void BM_TypedCharacter(benchmark::State& state) {
    const QByteArray& bytes = document(state.range(0) * kMB);
    const bool painted = state.range(1) != 0;
    const QString path = folder() + QStringLiteral("/typing.htm");
    bench::write_file(path, bytes);
    Form1 window;
    window.show();
    bench::settle();
    if (!Form1Parts(window).session().open_path(path)) {
        state.SkipWithError("open failed");
        return;
    }
    Form1Parts(window).edit_area().set_caret(Form1Parts(window).edit_area().text().size() / 2);
    bench::settle();
    QWidget* editor = Form1Parts(window).editor();
    const int writes_before = Form1Parts(window).preview_writes();
    bool type = true;
    for (auto _ : state) {
        if (type)
            bench::key(editor, Qt::Key_A, QStringLiteral("a"));
        else
            bench::key(editor, Qt::Key_Backspace, QString());
        type = !type;
        // The change notice (and with it the preview file) comes once the
        // repaint is done and the event loop is about to wait.
        bench::wait_until([&] { return !Form1Parts(window).edit_area().change_pending(); }, 5000,
                          1);
        if (!painted)
            state.PauseTiming();
        bench::settle();
        if (!painted)
            state.ResumeTiming();
    }
    if (Form1Parts(window).preview_writes() - writes_before != int(state.iterations()))
        state.SkipWithError("not one preview write per keystroke");
    Form1Parts(window).editor()->setModified(false);
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

// The floor of typing that QScintilla itself sets: the same keystrokes in a
// bare, shown QsciScintilla, which writes nothing.
void BM_TypedCharacterBare(benchmark::State& state) {
    const QByteArray& bytes = document(state.range(0) * kMB);
    QsciScintilla editor;
    editor.setUtf8(true);
    editor.resize(486, 409);
    editor.show();
    editor.SendScintilla(QsciScintillaBase::SCI_SETTEXT, bytes.constData());
    editor.SendScintilla(QsciScintillaBase::SCI_GOTOPOS, (unsigned long)(bytes.size() / 2));
    editor.setFocus();
    bench::settle();
    bool type = true;
    for (auto _ : state) {
        if (type)
            bench::key(&editor, Qt::Key_A, QStringLiteral("a"));
        else
            bench::key(&editor, Qt::Key_Backspace, QString());
        type = !type;
        bench::settle();
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

// Opening a 5 MB file in the real window until it is ready to type: read,
// decode, load, the first preview file, the repaint.
void BM_OpenFile(benchmark::State& state) {
    const QByteArray& bytes = document(state.range(0) * kMB);
    const QString path = folder() + QStringLiteral("/open.htm");
    bench::write_file(path, bytes);
    Form1 window;
    window.show();
    bench::settle();
    for (auto _ : state) {
        if (!Form1Parts(window).session().open_path(path)) {
            state.SkipWithError("open failed");
            break;
        }
        bench::settle();
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

// The baseline of opening: the same file's bytes read and handed to a bare,
// shown QsciScintilla as they are.
void BM_OpenFileBare(benchmark::State& state) {
    const QByteArray& bytes = document(state.range(0) * kMB);
    const QString path = folder() + QStringLiteral("/open.htm");
    bench::write_file(path, bytes);
    QsciScintilla editor;
    editor.setUtf8(true);
    editor.resize(486, 409);
    editor.show();
    bench::settle();
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            state.SkipWithError("open failed");
            break;
        }
        const QByteArray read = file.readAll();
        if (state.range(1) == 0) {
            // The ordinary way.
            editor.SendScintilla(QsciScintillaBase::SCI_SETTEXT, read.constData());
        } else {
            // The quickest way: as the editor itself loads, without undo
            // history, and with no change notices at all, so QScintilla's
            // accessibility events cost nothing either.
            editor.SendScintilla(QsciScintillaBase::SCI_SETMODEVENTMASK, 0UL);
            editor.SendScintilla(QsciScintillaBase::SCI_SETUNDOCOLLECTION, 0UL);
            editor.SendScintilla(QsciScintillaBase::SCI_CLEARALL);
            editor.SendScintilla(QsciScintillaBase::SCI_APPENDTEXT, (unsigned long)read.size(),
                                 read.constData());
            editor.SendScintilla(QsciScintillaBase::SCI_SETUNDOCOLLECTION, 1UL);
        }
        editor.SendScintilla(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
        bench::settle();
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

// Ctrl+S of a document in the real window: encoding, the write, the flush to
// the disk and the rename (range 1 = 0), or the rewrite in place of a file
// with a second name (range 1 = 1), with everything the save does around it.
void BM_Save(benchmark::State& state) {
    const QByteArray& bytes = document(state.range(0) * kMB);
    const bool in_place = state.range(1) != 0;
    const QString path = folder() + QStringLiteral("/saved.htm");
    const QString link = folder() + QStringLiteral("/saved-link.htm");
    bench::write_file(path, bytes);
    ::unlink(QFile::encodeName(link).constData());
    if (in_place &&
        ::link(QFile::encodeName(path).constData(), QFile::encodeName(link).constData()) != 0) {
        state.SkipWithError("no second name");
        return;
    }
    Form1 window;
    window.show();
    bench::settle();
    if (!Form1Parts(window).session().open_path(path)) {
        state.SkipWithError("open failed");
        return;
    }
    bench::settle();
    for (auto _ : state) {
        if (!Form1Parts(window).session().save()) {
            state.SkipWithError("save failed");
            break;
        }
    }
    ::unlink(QFile::encodeName(link).constData());
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

// The check of the document's file when the window gets the focus back: the
// file as it was (range 1 = 0: one stat), or touched just before (1: its
// content read and hashed, once per change on disk).
void BM_FocusCheck(benchmark::State& state) {
    const QByteArray& bytes = document(state.range(0) * kMB);
    const bool touched = state.range(1) != 0;
    const QString path = folder() + QStringLiteral("/focus.htm");
    bench::write_file(path, bytes);
    Form1 window;
    window.show();
    window.activateWindow();
    bench::settle();
    if (!Form1Parts(window).session().open_path(path) || !window.isActiveWindow()) {
        state.SkipWithError("open failed, or the window is not active");
        return;
    }
    bench::settle();
    QEvent activation(QEvent::ActivationChange);
    time_t second = 1000000000;
    for (auto _ : state) {
        if (touched) {
            state.PauseTiming();
            const timespec times[2] = {{0, UTIME_OMIT}, {++second, 0}};
            ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0);
            state.ResumeTiming();
        }
        QApplication::sendEvent(&window, &activation);
    }
    if (window.findChild<QWidget*>(QStringLiteral("file_change_bar"))->isVisible())
        state.SkipWithError("a notice was raised");
}

constexpr int kRepetitions = 5;

// Every figure: wall-clock milliseconds, the median of kRepetitions runs.
void medians_in_ms(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Repetitions(kRepetitions)
        ->ReportAggregatesOnly(true);
}

BENCHMARK(BM_PlainWrite)->Arg(1)->Arg(5)->Apply(medians_in_ms)->MinTime(0.3);
BENCHMARK(BM_TypedCharacter)
    ->Args({1, 0})
    ->Args({5, 0})
    ->Args({1, 1})
    ->Args({5, 1})
    ->Apply(medians_in_ms)
    ->MinTime(0.3);
BENCHMARK(BM_TypedCharacterBare)->Arg(1)->Arg(5)->Apply(medians_in_ms)->MinTime(0.3);
BENCHMARK(BM_OpenFileBare)->Args({5, 0})->Args({5, 1})->Apply(medians_in_ms)->MinTime(0.5);
BENCHMARK(BM_OpenFile)->Arg(5)->Apply(medians_in_ms)->MinTime(0.5);
BENCHMARK(BM_FocusCheck)
    ->Args({5, 0})
    ->Args({5, 1})
    ->Args({50, 0})
    ->Args({50, 1})
    ->Apply(medians_in_ms)
    ->MinTime(0.5);
BENCHMARK(BM_Save)
    ->Args({5, 0})
    ->Args({5, 1})
    ->Args({50, 0})
    ->Args({50, 1})
    ->Apply(medians_in_ms)
    ->MinTime(0.5);

// Prints as usual and keeps each benchmark's median for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    RatioReporter() : ConsoleReporter(OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.aggregate_name == "median")
                medians[run.run_name.function_name + '/' + run.run_name.args] =
                    run.GetAdjustedRealTime();
        }
    }
    std::map<std::string, double> medians;
};

void ratio(const RatioReporter& r, const char* title, const std::string& measured,
           const std::string& baseline, double limit) {
    const auto a = r.medians.find(measured), b = r.medians.find(baseline);
    if (a == r.medians.end() || b == r.medians.end() || b->second <= 0) {
        std::printf("  %-44s no figure\n", title);
        return;
    }
    const double q = a->second / b->second;
    std::printf("  %-44s %8.2f ms vs %8.2f ms: ratio %.2f (limit %.2f) %s\n", title, a->second,
                b->second, q, limit, bench::verdict(q, limit));
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nChange reaction and opening (medians of %d repetitions, %s):\n", kRepetitions,
                qPrintable(QGuiApplication::platformName()));
    ratio(reporter, "typed character, 1 MB / plain write 1 MB", "BM_TypedCharacter/1/0",
          "BM_PlainWrite/1", 1.5);
    ratio(reporter, "typed character, 5 MB / plain write 5 MB", "BM_TypedCharacter/5/0",
          "BM_PlainWrite/5", 1.5);
    for (const int mb : {1, 5}) {
        // With the repaint, against QScintilla's own floor: a bare control's
        // keystroke and repaint, plus the write.
        const std::string arg = '/' + std::to_string(mb);
        const auto typed = reporter.medians.find("BM_TypedCharacter" + arg + "/1");
        const auto bare = reporter.medians.find("BM_TypedCharacterBare" + arg);
        const auto write = reporter.medians.find("BM_PlainWrite" + arg);
        if (typed != reporter.medians.end() && bare != reporter.medians.end() &&
            write != reporter.medians.end()) {
            const double floor = bare->second + write->second;
            const double q = typed->second / floor;
            std::printf("  typed and repainted, %d MB / (bare QsciScintilla keystroke and repaint "
                        "%.2f ms + plain write) %8.2f ms vs %8.2f ms: ratio %.2f (limit 1.50) %s\n",
                        mb, bare->second, typed->second, floor, q, bench::verdict(q, 1.5));
        }
    }
    ratio(reporter, "open 5 MB file / bare QsciScintilla SCI_SETTEXT", "BM_OpenFile/5",
          "BM_OpenFileBare/5/0", 1.5);
    ratio(reporter, "open 5 MB file / bare, undo off + APPENDTEXT", "BM_OpenFile/5",
          "BM_OpenFileBare/5/1", 1.5);
    benchmark::Shutdown();
    return 0;
}
