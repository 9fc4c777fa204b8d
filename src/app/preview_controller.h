#pragma once

#include <QObject>
#include <QRect>
#include <QString>
#include <QTimer>
#include <functional>

class BrowserHost;
class Form1;
class Launcher;
class LivePreview;

// The previews of the main window's document: the preview file rewritten
// after every change of the text, the browser pane switched on and off, and
// the external browsers. It wires the window to the files of document/ and
// the pane of preview/.
//
// External browsers cannot be told where the document lives: for a document
// with a file of its own they get a copy of the preview carrying a <base>
// (see browser_copy.h), kept current after each pause in typing from the
// first external preview on.
class PreviewController : public QObject {
    Q_OBJECT
  public:
    // Writes the whole text to the preview file at the path; empty on success,
    // else the reason.
    using Writer = std::function<QString(const QString& path)>;

    PreviewController(Form1& window, BrowserHost& host, Launcher& launcher, Writer write);

    // The change reaction: writes the whole text to the preview file and shows it.
    void write_preview();
    // The document may be in another encoding now (saved in UTF-8): the
    // preview file, written in the old one, is written again.
    void encoding_may_have_changed();
    // Command2: the browser pane on or off.
    void toggle();
    // Command3 and Command4.
    void open_in_default_browser();
    void open_in_firefox();
    // Loads the newest preview in the pane (not a patch).
    void show_latest();
    // Changes go to the pane through `live`, which patches the page or falls
    // back to show_latest().
    void set_live(LivePreview* live) { live_ = live; }

    int writes() const { return writes_; }

  private:
    // The file an external browser opens; empty when there is none to open
    // (the user has been told why).
    QString page_for_browsers();
    // The window widened for the pane, on its screen; narrowed back.
    void widen();
    void narrow();
    QString write_browser_copy();
    void tell(const QString& key, bool ok, const QString& failure);

    Form1& window_;
    BrowserHost& host_;
    Launcher& launcher_;
    Writer write_;
    LivePreview* live_ = nullptr;
    QString shown_path_; // the document and encoding the pane's page was loaded for
    QByteArray shown_charset_;
    QByteArray written_charset_; // of the preview file
    QTimer copy_timer_;
    int writes_ = 0;
    bool failed_ = false;
    bool copy_wanted_ = false;
    // The pane was switched on in a window of its own size, which it widened:
    // from its position (of the frame) and size before_ to widened_to_.
    bool widened_ = false;
    QRect before_;
    QRect widened_to_;
};
