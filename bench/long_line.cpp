// Minified pages: a whole page on one line, through the real window, step by
// step: open, type, move the caret, go to the end, select all, save. Each
// step runs on the user-interface thread and includes the change reaction
// and the repaint, so its duration is how long the window stands still.
//
//   long_line [RUNS] [KEYS] [SIZE_MB...]
//
// Every step is repeated: RUNS times per document (opening, going to the
// end, selecting all, saving), RUNS x KEYS times for the per-key steps.
// Prints the median and the range of each.

#include "app/form1.h"
#include "app/form1_parts.h"
#include "bench_support.h"
#include "editor/scintilla_edit_area.h"
#include "support/fake_services.h"

#include <QApplication>
#include <QTemporaryDir>
#include <Qsci/qsciscintilla.h>

#include <cstdio>
#include <functional>
#include <map>

namespace {

void key(QWidget* target, int code, Qt::KeyboardModifiers modifiers, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, code, modifiers, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, code, modifiers, text);
    QApplication::sendEvent(target, &release);
}

double time_ms(const std::function<void()>& step) {
    QElapsedTimer clock;
    clock.start();
    step();
    bench::settle(); // the change reaction and the repaint belong to the step
    return double(clock.nsecsElapsed()) / 1e6;
}

// Counts the paints of the edit area, to show each step was drawn.
class PaintCounter : public QObject {
  public:
    int paints = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

struct Figures {
    std::map<std::string, std::vector<double>> steps;
    std::vector<std::string> order;
    void add(const std::string& name, double ms) {
        if (!steps.count(name))
            order.push_back(name);
        steps[name].push_back(ms);
    }
};

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const int keys = argc > 2 ? std::max(1, std::atoi(argv[2])) : 9;
    std::vector<double> sizes;
    for (int i = 3; i < argc; ++i)
        sizes.push_back(std::atof(argv[i]));
    if (sizes.empty())
        sizes = {2, 20};

    QTemporaryDir dir;
    bool all_exact = true;
    std::printf("Minified pages (one line) in the real window (%s); each step's time is how "
                "long the window stands still, median [range] of the runs:\n",
                qPrintable(QGuiApplication::platformName()));
    for (const double megabytes : sizes) {
        const QByteArray bytes = bench::minified_page(qsizetype(megabytes * 1024 * 1024));
        const QString source = dir.filePath(QStringLiteral("minified.htm"));
        const QString target = dir.filePath(QStringLiteral("minified-saved.htm"));
        bench::write_file(source, bytes);
        Figures figures;
        for (int run = 0; run < runs; ++run) {
            auto dialogs = std::make_unique<FakeDialogs>();
            FakeDialogs* fake = dialogs.get();
            Form1 window(fake_services(std::move(dialogs)));
            window.show();
            bench::settle();
            QsciScintilla* editor = Form1Parts(window).editor();
            PaintCounter counter;
            editor->viewport()->installEventFilter(&counter);
            figures.add("open", time_ms([&] { Form1Parts(window).session().open_path(source); }));
            editor->SendScintilla(QsciScintillaBase::SCI_GOTOPOS,
                                  (unsigned long)(editor->length() / 2));
            bench::settle();
            for (int k = 0; k < keys; ++k)
                figures.add("type a key in the middle",
                            time_ms([&] { key(editor, Qt::Key_X, Qt::NoModifier, "x"); }));
            const int paints_before = counter.paints;
            for (int k = 0; k < keys; ++k)
                figures.add("caret one to the right",
                            time_ms([&] { key(editor, Qt::Key_Right, Qt::NoModifier); }));
            if (run == 0)
                std::printf("  (%d paints for %d caret moves)\n", counter.paints - paints_before,
                            keys);
            figures.add("move to the end (End)",
                        time_ms([&] { key(editor, Qt::Key_End, Qt::NoModifier); }));
            for (int k = 0; k < keys; ++k)
                figures.add("type a key at the end",
                            time_ms([&] { key(editor, Qt::Key_Y, Qt::NoModifier, "y"); }));
            figures.add("move to the start (Home)",
                        time_ms([&] { key(editor, Qt::Key_Home, Qt::NoModifier); }));
            figures.add("select all (Ctrl+A)",
                        time_ms([&] { key(editor, Qt::Key_A, Qt::ControlModifier, "a"); }));
            figures.add("save", time_ms([&] {
                            fake->save_answers.push_back(target);
                            Form1Parts(window).session().save_as();
                        }));
            // The saved file: the page with the typed keys in their places.
            QByteArray expected = bytes;
            const qsizetype middle = bytes.size() / 2;
            expected.insert(middle, QByteArray(keys, 'x'));
            expected.append(QByteArray(keys, 'y'));
            QFile saved(target);
            const bool exact = saved.open(QIODevice::ReadOnly) && saved.readAll() == expected;
            all_exact = all_exact && exact;
            if (!exact)
                std::printf("  run %d: the saved file is NOT the page with the typed keys\n", run);
            Form1Parts(window).editor()->setModified(false);
        }
        std::printf(" %g MB on one line:\n", megabytes);
        for (const std::string& name : figures.order) {
            const auto& values = figures.steps[name];
            std::printf("  %-28s %9.1f ms  [%.1f .. %.1f] (%zu)\n", name.c_str(),
                        bench::median(values), *std::min_element(values.begin(), values.end()),
                        *std::max_element(values.begin(), values.end()), values.size());
        }
    }
    return all_exact ? 0 : 1;
}
