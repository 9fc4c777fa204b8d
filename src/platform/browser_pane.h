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
    virtual void navigate(const QUrl& url) = 0;
    // Reads the current page again from its file; nothing when no page was loaded.
    virtual void reload() = 0;
    // Runs a script in the page shown; `done` gets its result, or an invalid
    // QVariant when there is no page or the script failed. Panes that run no
    // scripts answer at once with an invalid QVariant.
    virtual void run_script(const QString& script, std::function<void(const QVariant&)> done) {
        (void)script;
        if (done)
            done(QVariant());
    }

  signals:
    // A reload or navigation has finished (successfully or not).
    void load_finished();
    // The user followed a link inside the page; the pane stays where it is.
    void link_requested(const QUrl& url);
};
