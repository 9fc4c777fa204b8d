// The browser pane on Qt WebEngine, built as a library of its own and loaded
// at the first switch-on of the pane, so the editor starts without Chromium.

#include "preview/browser_plugin.h"

#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

// Keeps the pane on the preview: a link clicked in the page is handed on.
class PreviewPage : public QWebEnginePage {
  public:
    PreviewPage(const BrowserPluginEvents& events, QObject* parent)
        : QWebEnginePage(parent), events_(events) {}

  protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool main_frame) override {
        if (type == NavigationTypeLinkClicked && main_frame) {
            if (events_.link_requested)
                events_.link_requested(url);
            return false;
        }
        return true;
    }

  private:
    const BrowserPluginEvents& events_;
};

class WebEnginePane : public BrowserPluginPane {
  public:
    WebEnginePane(QWidget* parent, BrowserPluginEvents events)
        : events_(std::move(events)), view_(new QWebEngineView(parent)) {
        view_->setObjectName(QStringLiteral("WebEngineView"));
        view_->setPage(new PreviewPage(events_, view_));
        view_->setContextMenuPolicy(Qt::NoContextMenu);
        QObject::connect(view_, &QWebEngineView::loadFinished, view_, [this](bool) {
            if (events_.load_finished)
                events_.load_finished();
        });
    }

    QWidget* widget() override { return view_; }
    void navigate(const QUrl& url) override { view_->setUrl(url); }
    void reload() override { view_->reload(); }
    void run_script(const QString& script, std::function<void(const QVariant&)> done) override {
        view_->page()->runJavaScript(script, [done = std::move(done)](const QVariant& result) {
            if (done)
                done(result);
        });
    }

  private:
    BrowserPluginEvents events_;
    QWebEngineView* view_;
};

} // namespace

extern "C" Q_DECL_EXPORT BrowserPluginPane*
marklet_create_browser_pane(QWidget* parent, BrowserPluginEvents events) {
    return new WebEnginePane(parent, std::move(events));
}
