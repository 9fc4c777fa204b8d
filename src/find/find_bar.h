#pragma once

#include "editor/editor_strips.h"
#include "find/find_replace.h"

#include <QPointer>
#include <QWidget>
#include <Qsci/qsciscintilla.h>
#include <memory>

class EditorSearch;
class ScintillaEditArea;
class QCheckBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QToolButton;

// The find and replace bar of an edit area. It attaches itself below the
// editor it serves:
// - when the editor sits in a vertical box layout, the bar goes into that
//   layout right after it;
// - otherwise (editors placed by geometry), while the bar is shown it takes
//   the bottom strip of the editor's rectangle and the editor is shortened by
//   as much; hidden, the editor gets its whole rectangle back. Geometry the
//   owner gives the editor meanwhile is followed, and other bars docked to
//   the editor share its rectangle (see EditorStrips).
//
// Searches are literal (see find_replace.h). Typing in the search field looks
// for the text from where the search began; "Trova successivo" goes on after
// the current match, "Trova precedente" before it, both wrapping round.
// "Sostituisci" replaces the selection only when it is a match, then selects
// the next one; "Sostituisci tutto" replaces every match as one undo step.
//
// The bar is a Qt child of the editor's parent (or of the editor itself when
// it has none) and does not outlive the editor's window.
class FindBar : public QWidget {
    Q_OBJECT
  public:
    explicit FindBar(ScintillaEditArea& edit);
    ~FindBar() override;

    QsciScintilla* editor() const { return editor_; }

    // Ctrl+F and Ctrl+H: show the bar in find or replace mode, take a
    // one-line selection of the editor as search text, focus the search field.
    void open_find();
    void open_replace();
    // Esc: hides the bar and gives the focus back to the editor.
    void close_bar();

    // F3 and Shift+F3. False when nothing was found (or there is no search
    // text: then the bar opens for one).
    bool find_next();
    bool find_previous();
    // True when the selection matched and was replaced.
    bool replace();
    // The number of replacements.
    qsizetype replace_all();

    bool replace_mode() const { return replace_mode_; }
    QString search_text() const;
    void set_search_text(const QString& text);
    void set_replacement_text(const QString& text);
    FindOptions options() const;
    // "Nessun risultato", a wrap-round notice, the count of a replacement, or empty.
    QString status_text() const;

  signals:
    void closed();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void build();
    void attach();
    void arrange(bool narrow);
    int wide_width() const;
    void set_replace_mode(bool on);
    void open(bool replace);
    void on_search_edited();
    // Finds the next (forward) or previous match from the selection.
    bool find(bool forward);
    bool select_match(const std::optional<TextMatch>& match, const QString& wrap_notice);
    void show_status(const QString& text, bool failed = false);

    // Placement of a bar attached by geometry (see EditorStrips).
    void dock();
    void undock();
    bool docked() const;

    QPointer<QsciScintilla> editor_;
    QPointer<EditorStrips> strips_; // the editor's, for a bar placed by geometry
    QGridLayout* grid_ = nullptr;
    QLineEdit* find_text_ = nullptr;
    QToolButton* previous_button_ = nullptr;
    QToolButton* next_button_ = nullptr;
    QToolButton* close_button_ = nullptr;
    QWidget* checks_ = nullptr;
    QHBoxLayout* checks_row_ = nullptr;
    QLineEdit* replace_text_ = nullptr;
    QCheckBox* case_check_ = nullptr;
    QCheckBox* word_check_ = nullptr;
    QToolButton* replace_button_ = nullptr;
    QToolButton* replace_all_button_ = nullptr;
    QLabel* status_label_ = nullptr;

    bool replace_mode_ = false;
    qsizetype search_origin_ = 0; // where typing in the search field looks from
    std::unique_ptr<EditorSearch> search_;

    bool arranged_ = false;
    bool narrow_ = false;
    bool in_layout_ = false;
    bool overlay_ = false; // an editor without parent: the bar lies over its bottom
};

// Installs on `window` the actions that drive the bar: Ctrl+F opens it
// ("find_action"), Ctrl+H opens it for replacing ("replace_action"), F3 and
// Shift+F3 find the next and the previous match ("find_next_action",
// "find_previous_action"). The actions are children of the window, active
// while the window (or any of its children) has the focus.
void install_find_shortcuts(QWidget* window, FindBar* bar);
