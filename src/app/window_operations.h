#pragma once

#include "commands/snippet.h"
#include "css_editor/css_edit.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <tuple>

class Asker;
class BrowserHost;
class DialogProvider;
class DocumentSession;
class PreviewController;
class QMainWindow;
class QString;
class QsciScintilla;
class ScintillaEditArea;
class ZoomKeys;

// What the menu items, the toolbar and the tag list do to the document and
// beside it: the tag commands' markup inserted, the colour, the temporary
// stylesheet's link, the CSS editor window, the zoom and the keys window.
// window_operation() below names, for each item or button that is not a tag
// command, what it runs on the window's parts (these, the preview, the
// document's files, the window).
//
// Ownership: a Qt child of the main window; the CSS editor and keys windows
// are the main window's children. The edit area, the pane, the preview
// controller and the asker belong to the window and outlive this.
class WindowOperations : public QObject {
    Q_OBJECT
  public:
    using CssDialogs = std::function<std::unique_ptr<DialogProvider>()>;

    WindowOperations(QMainWindow& window, QsciScintilla* editor, ScintillaEditArea& edit,
                     BrowserHost* pane, PreviewController& preview, Asker& asker,
                     CssDialogs css_dialogs);

    // Wraps the selection between the two texts; the caret ends before `stop`.
    void insert(const QString& start, const QString& stop);
    // A tag command: its questions, then its markup.
    void run_command(TagCommand command);
    // A name picked in the tag list: its start and end tags.
    void tag_chosen(const QString& name);

    void colore();
    void tmp_stylesheet();
    void css_editor();
    void zoom_in();
    void zoom_out();
    void zoom_reset();
    // The keys at a glance (F1).
    void keys_window();

    // The CSS editor window while it is open, else nullptr.
    css_edit* css_window() const { return css_window_; }
    const CssEditorState& css_state() const { return css_state_; }

  private:
    QMainWindow& window_;
    QsciScintilla* editor_;
    ScintillaEditArea& edit_;
    PreviewController& preview_;
    Asker& asker_;
    CssDialogs css_dialogs_;
    ZoomKeys* zoom_keys_;
    QPointer<QWidget> keys_window_;
    // Lasts while the program runs, across CSS editor windows.
    CssEditorState css_state_;
    QPointer<css_edit> css_window_;
};

// The parts of the main window that its menu items and toolbar buttons act
// on when they are not tag commands.
using WindowParts = std::tuple<QWidget&, WindowOperations&, PreviewController&, DocumentSession&>;
// What such an item or button does, on the window's parts.
using WindowOperation = void (*)(const WindowParts& parts);
// The operation of the item or button `name`, or nullptr when it has none
// (a tag command's item, or a name the window does not know).
WindowOperation window_operation(const QString& name);
