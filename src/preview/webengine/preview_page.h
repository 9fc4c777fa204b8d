#pragma once

#include "preview/browser_plugin.h"

#include <QElapsedTimer>
#include <QWebEnginePage>

class QWidget;

// The page of the preview pane: it acts inside the pane only.
//
// - The main frame shows the preview and nothing else: it follows the pane's
//   own loads and in-page links (href="#part"); anything else that would move
//   it (a script setting location, a form, a meta refresh, history) is
//   refused. Frames inside the page move as they like.
// - A link the user really clicked (a mouse press, or Enter, in the pane just
//   before) to a web or mail address goes to the system instead, once per
//   click; no other scheme ever leaves the pane. Windows the page opens are
//   caught the same way: only a click's window reaches the system.
// - Script dialogs (alert, confirm, prompt) never take the focus: their text
//   goes to the status bar and confirm and prompt are answered "cancel". A
//   page's wish to be asked before it is left is not asked: the pane moves on.
class PreviewPage : public QWebEnginePage {
  public:
    PreviewPage(QWebEngineProfile* profile, const BrowserPluginEvents& events, QObject* parent);

    // Watches the user's input on `view` (and the widgets it makes later).
    void watch_input(QWidget* view);
    // Hands a clicked link to the system when its scheme may leave the pane.
    void follow(const QUrl& url);
    // True once right after the user pressed a mouse button or Enter in the pane.
    bool take_click();

  protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool main_frame) override;
    QWebEnginePage* createWindow(WebWindowType type) override;
    void javaScriptAlert(const QUrl& origin, const QString& message) override;
    bool javaScriptConfirm(const QUrl& origin, const QString& message) override;
    bool javaScriptPrompt(const QUrl& origin, const QString& message, const QString& value,
                          QString* result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void tell(const QString& text);

    const BrowserPluginEvents& events_;
    QElapsedTimer since_input_;
};
