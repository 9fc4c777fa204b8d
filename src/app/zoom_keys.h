#pragma once

#include <QObject>
#include <QPointer>

class BrowserHost;
class QKeyEvent;
class QsciScintilla;
class QWidget;

// The zoom keys, alike on every keyboard layout, and Ctrl+wheel. Ctrl++ is
// Ctrl+Shift+= on a US keyboard and Ctrl with the "+" key on an Italian
// one; Ctrl+= and Ctrl+- and Ctrl+0 too arrive as different keys with
// different texts. Each is known by its key or its text, handled before any
// shortcut and never typed.
//
// What zooms is where the key or the wheel is: the browser pane (its page,
// as a browser does), the edit area it happened in (the main window's or
// the CSS editor's), or the main window's edit area from anywhere else in
// that window.
//
// Ownership: a Qt child of the main window; it watches the application's
// events while it lives.
class ZoomKeys : public QObject {
  public:
    enum class Zoom { None, In, Out, Reset };

    ZoomKeys(QWidget* window, QsciScintilla* editor, BrowserHost* pane);
    ~ZoomKeys() override;

    // The zoom a key asks for, whatever the layout.
    static Zoom zoom_of(const QKeyEvent& key);
    // Zooms what is at `where` (the focus widget, for a key). False when
    // nothing there zooms.
    bool zoom(Zoom zoom, QWidget* where);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* window_;
    QsciScintilla* editor_;
    BrowserHost* pane_;
    int wheel_ = 0; // eighths of a degree turned and not yet zoomed
};
