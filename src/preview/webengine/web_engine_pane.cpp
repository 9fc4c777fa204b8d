// The browser pane on Qt WebEngine, built as a library of its own and loaded
// at the first switch-on of the pane, so the editor starts without Chromium.

#include "preview/browser_plugin.h"
#include "preview/webengine/pane_drawing.h"
#include "preview/webengine/preview_page.h"
#include "preview/webengine/preview_scheme.h"
#include "preview/webengine/request_guard.h"

#include <QFile>
#include <QPointer>
#include <QWebChannel>
#include <QWebEngineLoadingInfo>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <csignal>
#include <memory>

namespace {

// The program's own scripts run in a world of their own: the page's scripts
// cannot see or change them, nor reach the channel.
constexpr quint32 kOwnWorld = QWebEngineScript::ApplicationWorld;

QString notice(const QString& what) {
    return QStringLiteral("<!DOCTYPE html><html lang=\"it\"><head><meta charset=\"utf-8\">"
                          "<title>Anteprima</title></head><body style=\"font-family: sans-serif; "
                          "margin: 2em\"><p><b>%1</b></p><p>L'anteprima riprova alla prossima "
                          "modifica del testo.</p></body></html>")
        .arg(what);
}

// What the program's own script posts, through the web channel.
class Bridge : public QObject {
    Q_OBJECT
  public:
    Bridge(const BrowserPluginEvents& events, QObject* parent) : QObject(parent), events_(events) {}
    Q_INVOKABLE void post(const QString& message) {
        if (events_.own_message)
            events_.own_message(message);
    }
    Q_INVOKABLE void alive() {
        if (events_.alive)
            events_.alive();
    }

  private:
    const BrowserPluginEvents& events_;
};

// Ownership: the profile (with its scheme handler and request guard) is the
// pane's; the view (with its page) is a child of the parent widget, ended
// here before the profile it uses.
class WebEnginePane : public BrowserPluginPane {
  public:
    WebEnginePane(QWidget* parent, BrowserPluginEvents events)
        : events_(std::move(events)), profile_(std::make_unique<QWebEngineProfile>()),
          view_(new QWebEngineView(parent)) {
        // An off-the-record profile of its own: nothing on disk shared by two Marklets.
        schemes_ = new PreviewSchemeHandler(files_, profile_.get());
        profile_->installUrlSchemeHandler(preview_scheme::name, schemes_);
        profile_->setUrlRequestInterceptor(new RequestGuard(files_, profile_.get()));
        page_ = new PreviewPage(profile_.get(), events_, view_);
        QWebEngineSettings* settings = page_->settings();
        // Mail links reach the page's navigation check (which lets only a
        // real click's link out); without a click no other scheme is asked.
        settings->setUnknownUrlSchemePolicy(
            QWebEngineSettings::AllowUnknownUrlSchemesFromUserInteraction);
        settings->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
        // Local files come only through the preview's scheme, under its rules.
        settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
        view_->setObjectName(QStringLiteral("WebEngineView"));
        view_->setPage(page_);
        view_->setContextMenuPolicy(Qt::NoContextMenu);
        page_->watch_input(view_);
        QObject::connect(page_, &QWebEnginePage::loadingChanged, view_,
                         [this](const QWebEngineLoadingInfo& info) {
                             // Only the end of the latest load counts, not of one it replaced.
                             if (info.status() != QWebEngineLoadingInfo::LoadStartedStatus &&
                                 info.url() == current_)
                                 finish_load();
                         });
        QObject::connect(page_, &QWebEnginePage::renderProcessTerminated, view_,
                         [this](QWebEnginePage::RenderProcessTerminationStatus status, int) {
                             on_renderer_ended(status);
                         });
        auto* channel = new QWebChannel(page_);
        channel->registerObject(QStringLiteral("marklet"), new Bridge(events_, channel));
        page_->setWebChannel(channel, kOwnWorld);
    }

    ~WebEnginePane() override {
        delete view_.data(); // the page goes before its profile
    }

    QWidget* widget() override { return view_; }

    void navigate(const QUrl& url) override {
        if (!url.isLocalFile()) {
            preview_file_.clear();
            start_load(url);
            return;
        }
        preview_file_ = url.toLocalFile();
        reload();
    }

    void reload() override {
        if (preview_file_.isEmpty())
            return;
        const QString page = document_path_.isEmpty() ? preview_file_ : document_path_;
        files_.set_page(page, stylesheet_);
        schemes_->set_preview_file(preview_file_, charset_);
        // A page whose bytes declare no character set is read in the document's.
        page_->settings()->setDefaultTextEncoding(
            QString::fromLatin1(charset_.isEmpty() ? QByteArrayLiteral("utf-8") : charset_));
        start_load(preview_scheme::page_url(page, ++loads_));
    }

    void set_document(const QString& path, const QByteArray& charset,
                      const QString& stylesheet) override {
        document_path_ = path;
        charset_ = charset;
        stylesheet_ = stylesheet;
    }

    void run_script(const QString& script, std::function<void(const QVariant&)> done) override {
        page_->runJavaScript(script, [done = std::move(done)](const QVariant& result) {
            if (done)
                done(result);
        });
    }
    void set_own_script(const QString& source) override {
        QWebEngineScriptCollection& scripts = page_->scripts();
        for (const QWebEngineScript& old : scripts.find(QStringLiteral("marklet")))
            scripts.remove(old);
        QFile channel(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
        QString code =
            channel.open(QIODevice::ReadOnly) ? QString::fromUtf8(channel.readAll()) : QString();
        QWebEngineScript script;
        script.setName(QStringLiteral("marklet"));
        script.setSourceCode(code + QLatin1Char('\n') + source);
        script.setInjectionPoint(QWebEngineScript::DocumentCreation);
        script.setWorldId(kOwnWorld);
        script.setRunsOnSubFrames(false);
        scripts.insert(script);
    }
    void run_own_script(const QString& script, std::function<void(const QVariant&)> done) override {
        page_->runJavaScript(script, kOwnWorld, [done = std::move(done)](const QVariant& result) {
            if (done)
                done(result);
        });
    }

    void set_zoom(double factor) override { view_->setZoomFactor(factor); }

    void check_page(std::function<void(bool)> answered) override {
        QPointer<QWebEnginePage> page = page_;
        const QUrl asked = current_;
        // In a world of its own, out of the page's scripts' reach. The page's
        // own address, not the pane's: the pane names the load asked for at
        // once, while the document answering may still be the one before it
        // (the empty one a new renderer starts with).
        page_->runJavaScript(QStringLiteral("[location.href, document.readyState]"), kOwnWorld,
                             [page, asked, answered = std::move(answered)](const QVariant& answer) {
                                 const QStringList said = answer.toStringList();
                                 if (page && answered)
                                     answered(said.size() == 2 && QUrl(said[0]) == asked &&
                                              said[1] != u"loading");
                             });
    }

    bool end_page() override {
        // The latest load never got as far as its own page.
        const bool earlier_page = page_->url() != current_;
        const qint64 pid = page_->renderProcessPid();
        if (pid > 0 && !ending_) {
            ending_ = true;
            ::kill(pid_t(pid), SIGKILL); // on_renderer_ended() follows
            return earlier_page;
        }
        // No renderer to end, or it did not go: the notice at once.
        ending_ = false;
        show_notice(QStringLiteral("La pagina non risponde."));
        report_end();
        return false;
    }

  private:
    void start_load(const QUrl& url) {
        current_ = url;
        loading_ = true;
        page_->load(url);
    }

    void finish_load() {
        if (loading_)
            report_end();
    }

    void report_end() {
        loading_ = false;
        if (events_.load_finished)
            events_.load_finished();
    }

    void show_notice(const QString& what) {
        current_ = QUrl();
        page_->setHtml(notice(what));
    }

    void on_renderer_ended(QWebEnginePage::RenderProcessTerminationStatus status) {
        if (ending_) {
            ending_ = false;
            show_notice(QStringLiteral("La pagina non risponde."));
            report_end();
        } else if (status != QWebEnginePage::NormalTerminationStatus) {
            show_notice(QStringLiteral("La pagina si è interrotta."));
            finish_load();
        }
    }

    BrowserPluginEvents events_;
    PageFiles files_; // before the profile, whose handler and guard use it
    std::unique_ptr<QWebEngineProfile> profile_;
    QPointer<QWebEngineView> view_;
    PreviewPage* page_ = nullptr;
    PreviewSchemeHandler* schemes_ = nullptr;
    QString preview_file_;
    QString document_path_;
    QByteArray charset_;
    QString stylesheet_;
    QUrl current_; // the latest load
    int loads_ = 0;
    bool loading_ = false;
    bool ending_ = false;
};

} // namespace

extern "C" Q_DECL_EXPORT BrowserPluginPane*
marklet_create_browser_pane_4(QWidget* parent, BrowserPluginEvents events) {
    preview_scheme::register_scheme();
    choose_pane_drawing();
    return new WebEnginePane(parent, std::move(events));
}

#include "web_engine_pane.moc"
