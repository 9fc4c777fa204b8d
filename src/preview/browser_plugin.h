#pragma once

#include <QUrl>
#include <QVariant>
#include <functional>

class QWidget;

// The browser pane plugin's side: a plain interface with no meta-object of its
// own, so the library that links Qt WebEngine shares nothing but this header
// with the program. The operations are those of BrowserPane.
struct BrowserPluginEvents {
    std::function<void()> load_finished;
    std::function<void(const QUrl&)> link_requested;
    std::function<void(const QString&)> script_message;
    // A message from the program's own script in the page, and its signs of life.
    std::function<void(const QString&)> own_message;
    std::function<void()> alive;
};

class BrowserPluginPane {
  public:
    virtual ~BrowserPluginPane() = default;
    virtual QWidget* widget() = 0;
    virtual void navigate(const QUrl& url) = 0;
    virtual void reload() = 0;
    virtual void set_document(const QString& path, const QByteArray& charset,
                              const QString& stylesheet) = 0;
    virtual void run_script(const QString& script, std::function<void(const QVariant&)> done) = 0;
    virtual void check_page(std::function<void(bool shown)> answered) = 0;
    virtual bool end_page() = 0;
    // The program's own script: run in every page at its start, in a world
    // apart from the page's scripts, where it can post messages.
    virtual void set_own_script(const QString& source) = 0;
    // Runs a script in that world.
    virtual void run_own_script(const QString& script,
                                std::function<void(const QVariant&)> done) = 0;
    // The page's zoom (1: its own size); its layout width follows, as in a
    // browser.
    virtual void set_zoom(double factor) = 0;
};

// The plugin's entry point: the pane's widget is a child of `parent`.
using CreateBrowserPluginPane = BrowserPluginPane* (*)(QWidget* parent, BrowserPluginEvents events);
#define MARKLET_BROWSER_PANE_ENTRY "marklet_create_browser_pane_4"
