// The floor under the pane's figures, black-box: a bare QWebEngineView, the
// size of Marklet's pane, with the page pane_latency types into. Each key
// posted to the window inserts a character into the first paragraph's text
// at once (one script call, nothing of Marklet in the loop), and is timed to
// the first change of the view's pixels, as pane_latency times the pane:
//
//   bare_pane KEYS SIZE_KB...
//
// at the rhythms pane_latency --rhythms types at. Run it drawn as the pane is
// drawn on this machine (QT_QUICK_BACKEND=software where OpenGL is drawn by
// the CPU); pane_latency --rhythms runs it so.

#include <QApplication>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QWebEngineView>
#include <QWindow>

#include <cstdio>

// Last: X11's macros clash with names in Qt's headers.
#include "pixel_watch.h"

namespace {

// Takes the keys: each one changes the page.
class KeySink : public QWidget {
  public:
    KeySink(QWebEngineView* view, QWidget* parent) : QWidget(parent), view_(view) {}

  protected:
    void keyPressEvent(QKeyEvent*) override {
        view_->page()->runJavaScript(
            QStringLiteral("document.getElementsByTagName('p')[0].firstChild.insertData(4, 'a')"));
    }

  private:
    QWebEngineView* view_;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2) {
        std::printf("usage: bare_pane KEYS SIZE_KB...\n");
        return 2;
    }
    const int keys = args[0].toInt();
    QTemporaryDir dir;
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* view = new QWebEngineView(&window);
    layout->addWidget(view);
    auto* sink = new KeySink(view, &window);
    sink->setFixedSize(1, 1);
    window.resize(620, 820);
    window.move(0, 0);
    window.show();
    if (!pixels::wait_until(
            [&] { return window.windowHandle() && window.windowHandle()->isExposed(); }, 10000))
        return 1;
    std::printf("Key -> pixels of a bare Qt WebEngine view (%s), one script call a key:\n",
                qPrintable(QGuiApplication::platformName()));
    for (int i = 1; i < args.size(); ++i) {
        const int kb = args[i].toInt();
        const QString path = dir.filePath(QStringLiteral("page-%1.htm").arg(kb));
        bench::write_file(path, bench::html_document(qsizetype(kb) * 1024));
        bool loaded = false;
        const auto connection =
            QObject::connect(view, &QWebEngineView::loadFinished, [&](bool) { loaded = true; });
        view->load(QUrl::fromLocalFile(path));
        pixels::wait_until([&] { return loaded; }, 120000);
        QObject::disconnect(connection);
        pixels::wait_until([] { return false; }, 1500);
        pixels::PixelWatch watch(window.winId(),
                                 QRect(view->mapTo(&window, QPoint(0, 0)), view->size()));
        if (!watch.ok()) {
            std::printf("no X Damage: no figures\n");
            return 1;
        }
        for (const auto& [count, every] : pixels::user_rhythms(keys)) {
            const pixels::Figures f = pixels::measure(sink, watch, count, every, 2000);
            std::printf("  %6d KB, %-19s: median %7.1f ms, p90 %7.1f ms; %d of %d keys shown "
                        "only with a later one\n",
                        kb, qPrintable(pixels::rhythm_name(every)), bench::median(f.first_ms),
                        bench::percentile(f.first_ms, 0.9), f.missed, count);
            std::fflush(stdout);
        }
    }
    return 0;
}
