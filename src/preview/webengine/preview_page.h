#pragma once

#include "preview/browser_plugin.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QWebEnginePage>

class QWidget;

// The page of the preview pane: it acts inside the pane only.
//
// - The main frame shows the preview and nothing else: it follows the pane's
//   own loads and in-page links (href="#part"); anything else that would move
//   it (a script setting location, a form, a meta refresh, history) is
//   refused. Frames inside the page move among web pages and the page's own
//   files; no other scheme (mail, programs' own) ever starts from a frame.
// - Only a link the user really clicked (mouse or Enter) leaves the pane, for
//   the system's browser or mail program, and only to that link's own
//   address, once per click: a witness of ours in the page, out of the page
//   scripts' reach, notes the address of the link element under each click
//   the user made (events the page makes up are not the user's), and a
//   navigation or new window goes out only when it asks for that address.
// - Script dialogs (alert, confirm, prompt) never take the focus: their text
//   goes to the status bar and confirm and prompt are answered "cancel". A
//   page's wish to be asked before it is left is not asked: the pane moves on.
class PreviewPage : public QWebEnginePage {
  public:
    PreviewPage(QWebEngineProfile* profile, const BrowserPluginEvents& events, QObject* parent);

    // Watches the user's input on `view` (and the widgets it makes later).
    void watch_input(QWidget* view);
    // Hands `url` to the system if it is the address of the link the user
    // clicked last, a moment ago, in the page (once per click).
    void leave_for(const QUrl& url);

  protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool main_frame) override;
    QWebEnginePage* createWindow(WebWindowType type) override;
    void javaScriptAlert(const QUrl& origin, const QString& message) override;
    bool javaScriptConfirm(const QUrl& origin, const QString& message) override;
    bool javaScriptPrompt(const QUrl& origin, const QString& message, const QString& value,
                          QString* result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool pressed_lately() const;
    void tell(const QString& text);

    const BrowserPluginEvents& events_;
    QElapsedTimer since_input_;
    QPointer<QWebEnginePage> catcher_; // the window a click opens, while it lives
};
