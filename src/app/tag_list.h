#pragma once

#include <QComboBox>

// The tag list: a drop-down list of element names with an edit field, where
// only a choice of an entry counts. `chosen` tells of each choice:
// - a click (or Enter) on an entry of the open list;
// - an arrow key on the closed list;
// - the wheel turned over the list while it has the focus, when the choice
//   really moves (one entry per notch, as an arrow key).
// Text typed into the field does nothing: there is no completion, and neither
// Enter nor leaving the field chooses the entry the text names. The wheel over
// the list without the focus does nothing either.
class TagList : public QComboBox {
    Q_OBJECT
  public:
    explicit TagList(QWidget* parent = nullptr);

    void hidePopup() override;

  signals:
    void chosen(const QString& name);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    // Set while a gesture that chooses is handled: QComboBox announces typed
    // text and real choices with the same signal.
    bool choosing_ = false;
};
