#pragma once

#include "platform/browser_pane.h"
#include "preview/page_watch.h"

#include <QUrl>
#include <QWidget>
#include <functional>

class QLabel;

// The place of the browser pane in the main window (`WebBrowser1`). The pane
// itself (Qt WebEngine, a few hundred milliseconds and ~100 MB to start) is
// created at the first navigation, not before.
//
// Loads never pile up: while one is in flight, further requests are folded
// into exactly one more load when it ends, so the pane always ends on the
// latest text and slow pages never slow typing. A page that stops answering
// (an endless script), while it loads or at any time after, is ended (a
// PageWatch tells), and the next change tries again.
class BrowserHost : public QWidget {
    Q_OBJECT
  public:
    // Creates the pane inside `parent`; nullptr (with the reason in `error`)
    // when no browser can be had.
    using Factory = std::function<BrowserPane*(QWidget* parent, QString* error)>;

    BrowserHost(Factory factory, QWidget* parent);

    // Shows the preview file at `url`; the pane is made at the first call.
    void navigate(const QUrl& url);
    // The document the preview shows (see BrowserPane::set_document).
    void set_document(const QString& path, const QByteArray& charset, const QString& stylesheet);
    // Shows the newest preview: loads the preview file afresh (never a reload
    // of whatever the page has moved to), folded as above. Nothing before the
    // first navigate().
    void show_latest();

    BrowserPane* pane() const { return pane_; }
    // The page's zoom one browser's step in (steps > 0) or out (< 0), or back
    // to the page's own size (0); kept for a pane made later.
    void zoom(int steps);
    double zoom_factor() const { return zoom_; }
    // The program's own script for every page the pane shows (see
    // BrowserPane::set_own_script), also for a pane made later.
    void set_own_script(const QString& source);
    // A page has been shown and no load follows it.
    bool shows_page() const { return navigated_ && !in_flight_; }
    // Loads of the newest preview asked of the pane itself (after folding).
    int reloads_started() const { return reloads_started_; }
    // A navigation or reload has been asked of the pane and has not finished.
    bool load_in_flight() const { return in_flight_; }
    // Changes came while a load was in flight: one more load follows it.
    bool reload_pending() const { return again_; }

    // The default factory: the Qt WebEngine pane from the plugin library.
    static Factory plugin_factory();

  signals:
    // The pane could not be created; the text says why.
    void unavailable(const QString& reason);
    void link_requested(const QUrl& url);
    void script_message(const QString& text);
    // A load ended and no other follows: the pane shows the latest file.
    void settled();
    // The page shown was ended (it hung): what was known of it holds no more.
    void page_ended();
    void own_message(const QString& message);

  private:
    bool ensure_pane();
    void start_reload();
    void on_load_finished();
    void on_page_hung();

    Factory factory_;
    BrowserPane* pane_ = nullptr;
    PageWatch* watch_ = nullptr;
    QString document_path_;
    QByteArray charset_;
    QString stylesheet_;
    QLabel* placeholder_ = nullptr;
    bool tried_ = false;
    bool navigated_ = false;
    bool in_flight_ = false;
    bool again_ = false;
    bool retry_after_hang_ = true;
    int reloads_started_ = 0;
    QString own_script_;
    double zoom_ = 1.0;
};
