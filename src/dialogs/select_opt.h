#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QPushButton;

// The option picker: a small modal window with the items in a drop-down list
// and an OK button. OK (or Enter) answers the chosen entry, or the text typed
// into the list's edit field; Escape and the close box answer empty text.
class select_opt : public QDialog {
    Q_OBJECT
  public:
    explicit select_opt(const QStringList& items, QWidget* parent = nullptr);

    // The answer once the window has closed: empty unless OK was pressed.
    QString answer() const { return answer_; }

  private:
    void confirm();

    QComboBox* Combo1;
    QPushButton* Command1;
    QString answer_;
};
