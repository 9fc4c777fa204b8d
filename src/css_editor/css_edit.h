#pragma once

#include "css_editor/css_questions.h"
#include "css_editor/rule_text.h"
#include "document/document_codec.h"
#include "platform/dialog_provider.h"

#include <QMessageBox>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class ColourSwatch;
class DocumentSession;
class EditorDocument;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QToolButton;
class QsciScintilla;
class ScintillaEditArea;

// What the CSS editor keeps beyond the life of its window: the main window
// owns it for as long as the program runs.
struct CssEditorState {
    // True when the stylesheet text changed since it was last saved or given
    // up (a file read into it counts as a change); the window's session keeps
    // it, and a new window takes it over.
    bool css_changed = false;
};

// The CSS editor window: a selector, the property catalogue whose ticked rows
// "Inserisci" turns into a style rule, the stylesheet text, and buttons to
// open and save stylesheet files and to refresh the main window's preview
// with the stylesheet as it stands (written to the temporary stylesheet).
// Its files go through a DocumentSession of their own, over the edited
// stylesheet, with the CSS editor's policy (see SessionPolicy) and
// questions (CssQuestions).
//
// Ownership: widgets are Qt children of the window, the edited stylesheet a
// child of its edit control; the dialog provider and the session are owned
// through unique_ptr; `state` belongs to the caller and must outlive the
// window.
class css_edit : public QWidget {
    Q_OBJECT
  public:
    // Shows a modal message box and returns the button pressed. Tests replace it.
    using MessageBoxFn = CssQuestions::MessageBoxFn;

    // `reload_preview` makes the main window's browser pane reload its page.
    // Without `dialogs` the window uses Qt's file and colour dialogs.
    css_edit(CssEditorState& state, std::function<void()> reload_preview,
             std::unique_ptr<DialogProvider> dialogs = nullptr, QWidget* parent = nullptr);
    ~css_edit() override;

    // The operations of the buttons, as a click runs them.
    void insert_rule();     // Command1, "Inserisci"
    void refresh_preview(); // Command2
    void open_stylesheet(); // Command3; asks about unsaved changes first
    bool save_stylesheet(); // Command4, the save dialog; true when the file was written

    // The colour dialog titled `txt`: the colour chosen, or -1.
    int sel_colore(const QString& txt);

    // The rule that "Inserisci" would insert now, and the catalogue rows it reads.
    QString rule() const;
    std::vector<RowValue> row_values() const;

    void set_message_box(MessageBoxFn message_box) {
        questions_.set_message_box(std::move(message_box));
    }

    ScintillaEditArea& edit_area() const { return *edit_; }
    EditorDocument& document() const { return *document_; }
    QsciScintilla* editor() const { return RichTextBox1; }
    // How the stylesheet is written to its file.
    Encoding encoding() const;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void build_controls();
    // The session over the stylesheet, and css_changed kept from it.
    void build_session();
    void build_buttons();
    void build_catalogue();
    void choose_colour(ColourSwatch* swatch, const QString& prompt);

    // Writes the whole text to the temporary stylesheet; a failure shows in
    // the status line.
    bool write_temp_stylesheet();

    CssEditorState& state_;
    std::function<void()> reload_preview_;
    std::unique_ptr<DialogProvider> dialogs_;
    CssQuestions questions_{this};

    QComboBox* Combo13 = nullptr;
    QPushButton* Command1 = nullptr;
    QToolButton* Command2 = nullptr;
    QToolButton* Command3 = nullptr;
    QToolButton* Command4 = nullptr;
    QsciScintilla* RichTextBox1 = nullptr;
    EditorDocument* document_ = nullptr;
    ScintillaEditArea* edit_ = nullptr;
    QLabel* status_line_ = nullptr;
    // After the questions and dialogs it asks through.
    std::unique_ptr<DocumentSession> session_;

    // One per catalogue row, in catalogue order.
    std::vector<QCheckBox*> ticks_;
    std::vector<QWidget*> values_;
};
