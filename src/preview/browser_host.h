#pragma once

#include "platform/browser_pane.h"

#include <QUrl>
#include <QWidget>
#include <functional>

class QLabel;

// The place of the browser pane in the main window (`WebBrowser1`). The pane
// itself (Qt WebEngine, a few hundred milliseconds and ~100 MB to start) is
// created at the first navigation, not before.
//
// Reloads never pile up: while one is in flight, further requests are folded
// into exactly one more reload when it ends, so the pane always ends on the
// latest text and slow pages never slow typing.
class BrowserHost : public QWidget {
    Q_OBJECT
  public:
    // Creates the pane inside `parent`; nullptr (with the reason in `error`)
    // when no browser can be had.
    using Factory = std::function<BrowserPane*(QWidget* parent, QString* error)>;

    BrowserHost(Factory factory, QWidget* parent);

    void navigate(const QUrl& url);
    // Reloads the page shown; nothing when nothing has been shown yet.
    void reload();

    BrowserPane* pane() const { return pane_; }
    // Reloads asked of the pane itself (after folding).
    int reloads_started() const { return reloads_started_; }
    // A navigation or reload has been asked of the pane and has not finished.
    bool load_in_flight() const { return in_flight_; }
    // Changes came while a load was in flight: one more reload follows it.
    bool reload_pending() const { return again_; }

    // The default factory: the Qt WebEngine pane from the plugin library.
    static Factory plugin_factory();

  signals:
    // The pane could not be created; the text says why.
    void unavailable(const QString& reason);
    void link_requested(const QUrl& url);

  private:
    bool ensure_pane();
    void start_reload();
    void on_load_finished();

    Factory factory_;
    BrowserPane* pane_ = nullptr;
    QLabel* placeholder_ = nullptr;
    bool tried_ = false;
    bool navigated_ = false;
    bool in_flight_ = false;
    bool again_ = false;
    int reloads_started_ = 0;
};
