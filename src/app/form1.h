#pragma once

#include "app/form1_services.h"
#include "commands/snippet.h"
#include "document/document_session.h"
#include "preview/browser_host.h"
#include "widgets/wrapping_menu_bar.h"

#include <QMainWindow>
#include <QStringList>
#include <memory>

class ActionRegistry;
class ControlPlaces;
class EditorDocument;
class ElidedLabel;
class FileChangeBar;
class PreviewController;
class QAction;
class QFrame;
class FindBar;
class QsciScintilla;
class ScintillaEditArea;
class StatusPresenter;
class TagList;
class WindowDocument;
class WindowOperations;
class WindowQuestions;

// The main window: the document's edit area, the menu bar of tag commands, the
// toolbar, the tag list and the browser pane of the preview. It wires these
// together; the markup itself comes from the commands, the file forms from
// the document codec.
//
// Ownership: widgets and actions are Qt children of the window; the services
// are owned through unique_ptr.
class Form1 : public QMainWindow {
    Q_OBJECT
  public:
    explicit Form1(Form1Services services = {}, QWidget* parent = nullptr);
    ~Form1() override;

    // Shared state of the option picker protocol.
    bool enable_browser = false;
    QStringList tmp_lst;
    QString str_ret;

    // Wraps the selection between the two texts; the caret ends before `snpt_stop`.
    void insert_snippet(const QString& snpt_start, const QString& snpt_stop = {});
    // Empties tmp_lst and str_ret before a picker question.
    void svuota();
    // The colour dialog titled `txt`; the colour as HTML text, or empty text.
    QString sel_colore(const QString& txt);

    // Runs a menu item or toolbar operation by its name, as a click would.
    void run_item(const QString& name);

    // The menu bar, which wraps onto more rows when narrow. It hides
    // QMainWindow::menuBar(), which would put an empty QMenuBar in its place.
    WrappingMenuBar* menuBar() const { return menu_bar_; }
    // What the status bar tells the user.
    StatusPresenter& status() const { return *status_; }
    BrowserHost* browser() const { return WebBrowser1; }

    // At start: recovery first, then the file named on the command line.
    void start(const QString& path) { session_->start(path); }
    QString document_path() const { return session_->path(); }
    Encoding document_encoding() const { return session_->encoding(); }

  protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    // Tests and benchmarks reach the window's parts through it.
    friend class Form1Parts;

    QAction* action(const QString& name) const;
    int preview_writes() const;
    // The notice of the document's file changed on disk.
    FileChangeBar* file_change_bar() const;

    // A test's own asker when it gave one, else the window's questions.
    Asker& asker() const;

    void build_controls();
    void apply_resize_rule();

    Form1Services services_;
    // Every modal question of the window; the tag commands ask `asker_`
    // instead when a test gave one.
    std::unique_ptr<WindowQuestions> questions_;
    std::unique_ptr<Asker> asker_;
    std::unique_ptr<ActionRegistry> actions_;
    WrappingMenuBar* menu_bar_ = nullptr;
    StatusPresenter* status_ = nullptr;

    QsciScintilla* RichTextBox1 = nullptr;
    EditorDocument* text_ = nullptr;    // the edited document, RichTextBox1's child
    ScintillaEditArea* edit_ = nullptr; // text_'s
    BrowserHost* WebBrowser1 = nullptr;
    PreviewController* preview_ = nullptr;
    QFrame* Frame1 = nullptr;
    TagList* lang_list = nullptr;
    ElidedLabel* Label1 = nullptr;
    FindBar* find_bar_ = nullptr;
    WindowOperations* operations_ = nullptr;

    std::unique_ptr<WindowDocument> document_;
    DocumentSession* session_ = nullptr; // document_'s
    std::unique_ptr<ControlPlaces> places_;
    bool first_show_ = true;
};
