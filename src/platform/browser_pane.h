#pragma once

#include <QObject>
#include <QUrl>
#include <QVariant>
#include <functional>

class QWidget;

// The embedded browser that shows the preview file.
class BrowserPane : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

    // The widget to place in the window.
    virtual QWidget* widget() = 0;
    // Shows the preview file at `url`.
    virtual void navigate(const QUrl& url) = 0;
    // Loads the preview last navigated to afresh from its file, wherever the
    // page has gone since; nothing when no page was loaded.
    virtual void reload() = 0;
    // The document the preview shows: its own file, against whose folder the
    // page's relative addresses resolve and whose files the page may load
    // (empty for a document never saved: the preview file's folder); the
    // character set the page is read in when its bytes declare none
    // ("utf-8", "windows-1252"); and the temporary stylesheet, which the page
    // may load too. Takes effect at the next load.
    virtual void set_document(const QString& path, const QByteArray& charset,
                              const QString& stylesheet) {
        (void)path;
        (void)charset;
        (void)stylesheet;
    }
    // Runs a script in the page shown; `done` gets its result, or an invalid
    // QVariant when there is no page or the script failed. Panes that run no
    // scripts answer at once with an invalid QVariant.
    virtual void run_script(const QString& script, std::function<void(const QVariant&)> done) {
        (void)script;
        if (done)
            done(QVariant());
    }
    // Asks whether the page still answers. `answered` runs when it does, with
    // true when the latest load is shown (only its pictures, styles or fonts
    // are still coming); it never runs while the page is hung. Panes that
    // cannot hang answer at once.
    virtual void check_page(std::function<void(bool shown)> answered) {
        if (answered)
            answered(true);
    }
    // Ends a page that does not answer (its renderer) and shows a notice in
    // its place; the next load starts afresh. True when the page that hung
    // was an earlier one (its script ran on after it loaded) and the latest
    // load never showed: that load deserves another try.
    virtual bool end_page() { return false; }

    // The program's own script, run in every page at its start in a world
    // apart from the page's scripts; and a script run in that world. Panes
    // that run no scripts ignore the first and answer the second at once
    // with an invalid QVariant.
    virtual void set_own_script(const QString& source) { (void)source; }
    virtual void run_own_script(const QString& script, std::function<void(const QVariant&)> done) {
        (void)script;
        if (done)
            done(QVariant());
    }

    // The page's zoom (1: its own size); its layout width follows, as in a
    // browser. Panes that draw no page ignore it.
    virtual void set_zoom(double factor) { (void)factor; }

  signals:
    // A reload or navigation has finished (successfully or not).
    void load_finished();
    // The user clicked a web or mail link inside the page; the pane stays where it is.
    void link_requested(const QUrl& url);
    // A script dialog of the page (alert, confirm, prompt), answered by the
    // pane itself without taking the focus: its text, for the status bar.
    void script_message(const QString& text);
    // A message posted by the program's own script in the page.
    void own_message(const QString& message);
    // The program's own script in the page shown gives a sign of life.
    void alive();
};
