#include "preview/browser_host.h"

#include "preview/browser_plugin.h"
#include "preview/plugin_places.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLibrary>
#include <QOpenGLContext>
#include <QVBoxLayout>
#include <unistd.h>

#include <algorithm>
#include <iterator>

BrowserHost::BrowserHost(Factory factory, QWidget* parent)
    : QWidget(parent), factory_(std::move(factory)) {
    setObjectName(QStringLiteral("WebBrowser1"));
    setAccessibleName(QStringLiteral("Anteprima"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    using std::chrono::milliseconds;
    // A page is given two seconds, then two questions of two seconds each: a
    // page that lays out a very large document may not answer for a while,
    // one that never answers in six seconds is taken for hung. A page shown
    // gives a sign of life every second.
    watch_ = new PageWatch(
        [this](std::function<void(bool)> answered) {
            if (pane_)
                pane_->check_page(std::move(answered));
        },
        milliseconds(2000), milliseconds(2000), this);
    connect(watch_, &PageWatch::shown, this, &BrowserHost::on_load_finished);
    connect(watch_, &PageWatch::hung, this, &BrowserHost::on_page_hung);
}

bool BrowserHost::ensure_pane() {
    if (pane_)
        return true;
    if (tried_)
        return false;
    tried_ = true;
    QString error;
    pane_ = factory_ ? factory_(this, &error) : nullptr;
    if (!pane_) {
        placeholder_ =
            new QLabel(QStringLiteral("Anteprima non disponibile.\n%1").arg(error), this);
        placeholder_->setAlignment(Qt::AlignCenter);
        placeholder_->setWordWrap(true);
        layout()->addWidget(placeholder_);
        emit unavailable(error);
        return false;
    }
    if (!own_script_.isEmpty())
        pane_->set_own_script(own_script_);
    if (zoom_ != 1.0)
        pane_->set_zoom(zoom_);
    layout()->addWidget(pane_->widget());
    pane_->set_document(document_path_, charset_, stylesheet_);
    connect(pane_, &BrowserPane::load_finished, this, &BrowserHost::on_load_finished);
    connect(pane_, &BrowserPane::alive, watch_, &PageWatch::alive);
    connect(pane_, &BrowserPane::link_requested, this, &BrowserHost::link_requested);
    connect(pane_, &BrowserPane::script_message, this, &BrowserHost::script_message);
    connect(pane_, &BrowserPane::own_message, this, &BrowserHost::own_message);
    return true;
}

void BrowserHost::navigate(const QUrl& url) {
    if (!ensure_pane())
        return;
    navigated_ = true;
    in_flight_ = true;
    again_ = false;
    retry_after_hang_ = true;
    watch_->start();
    pane_->navigate(url);
}

void BrowserHost::set_document(const QString& path, const QByteArray& charset,
                               const QString& stylesheet) {
    if (path == document_path_ && charset == charset_ && stylesheet == stylesheet_)
        return;
    document_path_ = path;
    charset_ = charset;
    stylesheet_ = stylesheet;
    if (pane_)
        pane_->set_document(path, charset, stylesheet);
}

void BrowserHost::show_latest() {
    retry_after_hang_ = true;
    if (!pane_ || !navigated_)
        return;
    if (in_flight_) {
        again_ = true;
        return;
    }
    start_reload();
}

void BrowserHost::start_reload() {
    in_flight_ = true;
    again_ = false;
    ++reloads_started_;
    watch_->start();
    pane_->reload();
}

void BrowserHost::on_load_finished() {
    if (!in_flight_) {
        // The pane's notice in place of a page that hung after it was shown.
        watch_->pause();
        return;
    }
    in_flight_ = false;
    watch_->stop();
    if (again_)
        start_reload();
    else
        emit settled();
}

void BrowserHost::zoom(int steps) {
    // A browser's steps, from a quarter to five times the page's own size.
    static constexpr double kSteps[] = {0.25, 0.33, 0.5,  0.67, 0.75, 0.8, 0.9, 1.0, 1.1,
                                        1.25, 1.5,  1.75, 2.0,  2.5,  3.0, 4.0, 5.0};
    const auto* const end = std::end(kSteps);
    if (steps == 0) {
        zoom_ = 1.0;
    } else if (steps > 0) {
        const auto* next = std::upper_bound(std::begin(kSteps), end, zoom_ + 0.001);
        zoom_ = next == end ? kSteps[std::size(kSteps) - 1] : *next;
    } else {
        const auto* next = std::lower_bound(std::begin(kSteps), end, zoom_ - 0.001);
        zoom_ = next == std::begin(kSteps) ? kSteps[0] : *(next - 1);
    }
    if (pane_)
        pane_->set_zoom(zoom_);
}

void BrowserHost::set_own_script(const QString& source) {
    own_script_ = source;
    if (pane_)
        pane_->set_own_script(source);
}

void BrowserHost::on_page_hung() {
    // The pane tells when the page is gone and its notice shown; should it
    // not, the watch ends the load all the same.
    watch_->start();
    // The page that hung may be the one shown before (a script that ran on
    // after it loaded): the latest text is tried once more in a new
    // renderer. Changes that came meanwhile are tried at once; else the next
    // change tries again.
    if (pane_->end_page() && retry_after_hang_) {
        retry_after_hang_ = false;
        again_ = true;
    }
    emit page_ended();
}

// Qt's global share context, exported by Qt GUI (its declaration is in a
// private header).
Q_GUI_EXPORT QOpenGLContext* qt_gl_global_share_context();
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context);

namespace {

// Qt WebEngine hands its pages to the window through Qt's global OpenGL share
// context. Qt makes that context at start-up when asked to
// (AA_ShareOpenGLContexts), which loads the OpenGL driver on every start,
// preview or not (with Mesa's software renderer: LLVM, some 50 MB). The
// context is made here instead, the first time the pane is switched on.
void ensure_global_share_context() {
    if (qt_gl_global_share_context())
        return;
    auto* context = new QOpenGLContext(QCoreApplication::instance());
    if (context->create())
        qt_gl_set_global_share_context(context);
    else
        delete context; // the pane will say why it cannot start
}

// The pane of the plugin library, seen through the program's own interface.
// The plugin's pane lives as long as this adapter; its widget is a child of
// the host and dies with it.
class PluginPane : public BrowserPane {
  public:
    PluginPane(CreateBrowserPluginPane create, QWidget* parent) : BrowserPane(parent) {
        BrowserPluginEvents events;
        events.load_finished = [this] { emit load_finished(); };
        events.link_requested = [this](const QUrl& url) { emit link_requested(url); };
        events.script_message = [this](const QString& text) { emit script_message(text); };
        events.own_message = [this](const QString& message) { emit own_message(message); };
        events.alive = [this] { emit alive(); };
        pane_.reset(create(parent, std::move(events)));
    }
    bool ok() const { return pane_ != nullptr; }
    QWidget* widget() override { return pane_->widget(); }
    void navigate(const QUrl& url) override { pane_->navigate(url); }
    void reload() override { pane_->reload(); }
    void set_document(const QString& path, const QByteArray& charset,
                      const QString& stylesheet) override {
        pane_->set_document(path, charset, stylesheet);
    }
    void run_script(const QString& script, std::function<void(const QVariant&)> done) override {
        pane_->run_script(script, std::move(done));
    }
    void check_page(std::function<void(bool)> answered) override {
        pane_->check_page(std::move(answered));
    }
    bool end_page() override { return pane_->end_page(); }
    void set_own_script(const QString& source) override { pane_->set_own_script(source); }
    void run_own_script(const QString& script, std::function<void(const QVariant&)> done) override {
        pane_->run_own_script(script, std::move(done));
    }
    void set_zoom(double factor) override { pane_->set_zoom(factor); }

  private:
    std::unique_ptr<BrowserPluginPane> pane_;
};

} // namespace

BrowserHost::Factory BrowserHost::plugin_factory() {
    return [](QWidget* parent, QString* error) -> BrowserPane* {
        // Chromium's sandbox cannot run as root (containers, CI).
        if (geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
            qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        ensure_global_share_context();
        const QStringList places = plugin_places(QCoreApplication::applicationDirPath(),
                                                 QStringLiteral(MARKLET_PLUGIN_FROM_PROGRAM),
                                                 QStringLiteral(MARKLET_PLUGIN_BUILD_DIR));
        QString last_error = QStringLiteral("la libreria libmarklet_webpane.so non si trova");
        for (const QString& place : places) {
            const QString file = QDir(place).filePath(QStringLiteral("libmarklet_webpane.so"));
            if (!QFileInfo::exists(file))
                continue;
            QLibrary library(file);
            if (!library.load()) {
                last_error = library.errorString();
                continue;
            }
            auto create = reinterpret_cast<CreateBrowserPluginPane>(
                library.resolve(MARKLET_BROWSER_PANE_ENTRY));
            if (!create) {
                last_error = library.errorString();
                continue;
            }
            auto pane = std::make_unique<PluginPane>(create, parent);
            if (pane->ok())
                return pane.release();
        }
        if (error)
            *error = last_error;
        return nullptr;
    };
}
