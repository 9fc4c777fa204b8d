#include "preview/webengine/preview_page.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

namespace {

// How long after the user's press a link counts as clicked.
constexpr qint64 click_window_ms = 1000;

bool may_leave(const QUrl& url) {
    const QString scheme = url.scheme();
    return scheme == u"http" || scheme == u"https" || scheme == u"mailto";
}

// Takes the first address of a window the page opens on a click, hands it to
// the system and goes; the window itself never shows.
class WindowCatcher : public QWebEnginePage {
  public:
    WindowCatcher(QWebEngineProfile* profile, PreviewPage* opener)
        : QWebEnginePage(profile, opener), opener_(opener) {
        // A window that never navigates goes too.
        QTimer::singleShot(10000, this, &QObject::deleteLater);
    }

  protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool main_frame) override {
        if (main_frame && !done_) {
            done_ = true;
            opener_->follow(url);
            deleteLater();
        }
        return false;
    }

  private:
    PreviewPage* opener_;
    bool done_ = false;
};

} // namespace

PreviewPage::PreviewPage(QWebEngineProfile* profile, const BrowserPluginEvents& events,
                         QObject* parent)
    : QWebEnginePage(profile, parent), events_(events) {
    connect(this, &QWebEnginePage::featurePermissionRequested, this,
            [this](const QUrl& origin, Feature feature) {
                setFeaturePermission(origin, feature, PermissionDeniedByUser);
            });
}

void PreviewPage::watch_input(QWidget* view) {
    view->installEventFilter(this);
    for (QObject* child : view->children())
        child->installEventFilter(this);
}

bool PreviewPage::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ChildAdded:
        // The widget that gets the page's input is made with the page's renderer.
        static_cast<QChildEvent*>(event)->child()->installEventFilter(this);
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        since_input_.start();
        break;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            since_input_.start();
        break;
    }
    default:
        break;
    }
    return QWebEnginePage::eventFilter(watched, event);
}

bool PreviewPage::take_click() {
    if (!since_input_.isValid() || since_input_.elapsed() > click_window_ms)
        return false;
    since_input_.invalidate(); // one opening per click
    return true;
}

void PreviewPage::follow(const QUrl& url) {
    if (may_leave(url) && events_.link_requested)
        events_.link_requested(url);
}

bool PreviewPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool main_frame) {
    if (!main_frame || type == NavigationTypeTyped)
        return true; // frames inside the page; the pane's own loads
    const QUrl shown = this->url();
    if (url.hasFragment() && type != NavigationTypeFormSubmitted &&
        url.adjusted(QUrl::RemoveFragment) == shown.adjusted(QUrl::RemoveFragment))
        return true; // an in-page link
    if (type == NavigationTypeLinkClicked && take_click())
        follow(url);
    return false;
}

QWebEnginePage* PreviewPage::createWindow(WebWindowType) {
    if (!take_click())
        return nullptr;
    return new WindowCatcher(profile(), this);
}

void PreviewPage::tell(const QString& text) {
    if (events_.script_message)
        events_.script_message(text);
}

void PreviewPage::javaScriptAlert(const QUrl&, const QString& message) {
    tell(QStringLiteral("Messaggio della pagina: %1").arg(message));
}

bool PreviewPage::javaScriptConfirm(const QUrl&, const QString& message) {
    // Qt WebEngine asks before a page that wants it is left (beforeunload)
    // through this question: leaving is always right, or the next update of
    // the preview would not load.
    if (message == QCoreApplication::translate("QWebEnginePage",
                                               "Are you sure you want to leave this page? "
                                               "Changes that you made may not be saved."))
        return true;
    tell(QStringLiteral("Domanda della pagina (risposta: Annulla): %1").arg(message));
    return false;
}

bool PreviewPage::javaScriptPrompt(const QUrl&, const QString& message, const QString&, QString*) {
    tell(QStringLiteral("Domanda della pagina (risposta: Annulla): %1").arg(message));
    return false;
}
