#include "preview/webengine/preview_page.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QKeyEvent>
#include <QTimer>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWidget>

namespace {

// How long after the user's press or click a link may still leave the pane
// (a loaded machine may take seconds between the click and the request).
constexpr qint64 click_window_ms = 5000;

// The link witness runs in a world of its own, apart from the page's scripts
// (their objects, prototypes and listeners are not its own) and from the
// program's other script.
constexpr quint32 witness_world = QWebEngineScript::UserWorld + 1;

// Notes the address of the link element under the user's last click; a
// click the page made up (isTrusted false) notes nothing, and a new press
// forgets the last click.
constexpr char witness[] = R"(
(function () {
    'use strict';
    let last = null;
    const xlink = 'http://www.w3.org/1999/xlink';
    const linkAddress = (path) => {
        for (const node of path) {
            if (node.nodeType !== 1 || (node.localName !== 'a' && node.localName !== 'area'))
                continue;
            const href = node.hasAttribute('href') ? node.getAttribute('href')
                                                   : node.getAttributeNS(xlink, 'href');
            if (href === null)
                continue;
            try {
                return new URL(href, node.baseURI).href;
            } catch (e) {
                return null;
            }
        }
        return null;
    };
    const clicked = (event) => {
        if (!event.isTrusted)
            return;
        const href = linkAddress(event.composedPath());
        last = href ? {href: href, at: performance.now()} : null;
    };
    const pressed = (event) => {
        if (event.isTrusted)
            last = null;
    };
    window.addEventListener('click', clicked, true);
    window.addEventListener('auxclick', clicked, true);
    window.addEventListener('mousedown', pressed, true);
    window.addEventListener('keydown', pressed, true);
    window.markletLinks = {
        take: (url, freshMs) => {
            let wanted;
            try {
                wanted = new URL(url).href;
            } catch (e) {
                return false;
            }
            const taken = last !== null && last.href === wanted &&
                          performance.now() - last.at < freshMs;
            if (taken)
                last = null;
            return taken;
        },
    };
})();
)";

bool may_leave(const QUrl& url) {
    const QString scheme = url.scheme();
    return scheme == u"http" || scheme == u"https" || scheme == u"mailto";
}

// Where a frame inside the page may go: web pages, the page's files, and
// what a page makes itself.
bool frame_may_go(const QUrl& url) {
    const QString scheme = url.scheme();
    return scheme == u"http" || scheme == u"https" || scheme == u"file" || scheme == u"data" ||
           scheme == u"blob" || scheme == u"about" || scheme == u"marklet-preview";
}

// Takes the first address of a window the page opens on a click and offers
// it to the opener; the window itself never shows.
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
            opener_->leave_for(url);
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
    // In place before any script of the page runs.
    QWebEngineScript script;
    script.setName(QStringLiteral("marklet-links"));
    script.setSourceCode(QString::fromLatin1(witness));
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(witness_world);
    script.setRunsOnSubFrames(false);
    scripts().insert(script);
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

bool PreviewPage::pressed_lately() const {
    return since_input_.isValid() && since_input_.elapsed() <= click_window_ms;
}

void PreviewPage::leave_for(const QUrl& url) {
    // Asked only after a real press: what the page does alone costs nothing.
    if (!may_leave(url) || !pressed_lately() || !events_.link_requested)
        return;
    const QString address = QString::fromUtf8(
        QJsonDocument(QJsonArray{url.toString(QUrl::FullyEncoded)}).toJson(QJsonDocument::Compact));
    QPointer<PreviewPage> self(this);
    runJavaScript(QStringLiteral("window.markletLinks ? markletLinks.take(%1[0], %2) : false")
                      .arg(address)
                      .arg(click_window_ms),
                  witness_world, [self, url](const QVariant& taken) {
                      if (self && taken.toBool() && self->events_.link_requested)
                          self->events_.link_requested(url);
                  });
}

bool PreviewPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool main_frame) {
    if (!main_frame)
        return frame_may_go(url);
    if (type == NavigationTypeTyped)
        return true; // the pane's own loads
    const QUrl shown = this->url();
    if (url.hasFragment() && type != NavigationTypeFormSubmitted &&
        url.adjusted(QUrl::RemoveFragment) == shown.adjusted(QUrl::RemoveFragment))
        return true; // an in-page link
    leave_for(url);
    return false;
}

QWebEnginePage* PreviewPage::createWindow(WebWindowType) {
    // One window at a time, and only after a real press: a page that opens
    // windows by itself opens none.
    if (!pressed_lately() || catcher_)
        return nullptr;
    catcher_ = new WindowCatcher(profile(), this);
    return catcher_;
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
