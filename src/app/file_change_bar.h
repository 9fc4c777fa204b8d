#pragma once

#include "document/disk_state.h"

#include <QFrame>

class QLabel;
class QPushButton;

// The notice above the edit area that the document's file was changed by
// another program ("Ricarica", "Ignora"), or removed or moved away ("Salva",
// "Ignora"). It asks nothing and blocks nothing: typing goes on while it is
// shown. It lies along the editor's top as the find bar lies along its bottom
// (see EditorStrips), so the two never hide each other. F6 takes the
// keyboard to it, Tab goes from button to button, Esc is "Ignora"; after a
// button the focus goes back to the edit area.
//
// Ownership: a Qt child of the editor's parent.
class FileChangeBar : public QFrame {
    Q_OBJECT
  public:
    explicit FileChangeBar(QWidget* editor);

    // Shows the notice of `change`; DiskChange::None hides it.
    void show_change(DiskChange change);
    DiskChange change() const { return change_; }
    // Puts the keyboard on the first button, when the bar is shown.
    void take_focus();

  signals:
    void reload_asked();
    void save_asked();
    void ignore_asked();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    QPushButton* add_button(const char* name, const QString& text, void (FileChangeBar::*asked)());

    QWidget* editor_;
    QLabel* text_;
    QPushButton* reload_;
    QPushButton* save_;
    QPushButton* ignore_;
    DiskChange change_ = DiskChange::None;
};
