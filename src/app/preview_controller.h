#pragma once

#include "editor/editor_document.h"
#include "preview/preview_source.h"

#include <QObject>
#include <QRect>
#include <QString>
#include <QTimer>

class BrowserHost;
class Launcher;
class LivePreview;
class QMainWindow;
class StatusPresenter;

// The editor document as the live preview reads it.
class DocumentPreviewSource : public PreviewSource {
  public:
    explicit DocumentPreviewSource(const EditorDocument& document) : document_(document) {}
    text_parts::Parts utf8_parts() const override { return document_.utf8_parts(); }
    bool preview_is_utf8() const override { return document_.preview_is_utf8(); }
    QByteArray preview_bytes(QByteArrayView utf8) const override {
        return document_.preview_bytes(utf8);
    }
    bool change_pending() const override { return document_.change_pending(); }

  private:
    const EditorDocument& document_;
};

// The previews of the main window's document: the preview file rewritten
// after every change of the text, the browser pane switched on and off (the
// window widened for it and narrowed back), the live preview that keeps the
// pane on the text and the caret, and the external browsers. It wires the
// document to the files of document/ and the pane of preview/.
//
// External browsers cannot be told where the document lives: for a document
// with a file of its own they get a copy of the preview carrying a <base>
// (see browser_copy.h), kept current after each pause in typing from the
// first external preview on.
class PreviewController : public QObject {
    Q_OBJECT
  public:
    // `enable_browser`: the window's state of the pane, on or off, which this
    // controller alone sets. The window, its document, the host, the launcher
    // and the status bar outlive the controller, the window's child.
    PreviewController(QMainWindow& window, bool& enable_browser, EditorDocument& document,
                      BrowserHost& host, Launcher& launcher, StatusPresenter& status);

    // The reader of the document's change notice: writes the whole text to
    // the preview file and shows it.
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
    // Changes go to the pane through the live preview, which patches the page
    // or falls back to show_latest().
    LivePreview* live() const { return live_; }
    // The CSS editor wrote the temporary stylesheet anew.
    void stylesheet_changed();

    int writes() const { return writes_; }

  private:
    // The caret rests somewhere else: the pane shows where.
    void caret_moved();
    // Ctrl+click in the pane: the caret goes to that element's start tag.
    void show_element(qsizetype offset);
    // The file an external browser opens; empty when there is none to open
    // (the user has been told why).
    QString page_for_browsers();
    // The window widened for the pane, on its screen; narrowed back.
    void widen();
    void narrow();
    QString write_browser_copy();
    void tell(const QString& key, bool ok, const QString& failure);

    QMainWindow& window_;
    bool& enabled_;
    EditorDocument& document_;
    BrowserHost& host_;
    Launcher& launcher_;
    StatusPresenter& status_;
    DocumentPreviewSource source_;
    LivePreview* live_;
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
