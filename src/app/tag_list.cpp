#include "app/tag_list.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QTimer>
#include <QWheelEvent>

TagList::TagList(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // Qt's completer would complete typed text, ignoring case, and choose.
    setCompleter(nullptr);
    // QComboBox takes the focus from the wheel, and then the wheel chooses:
    // the wheel over the list must not take the focus from the document.
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (!choosing_ || index < 0)
            return;
        choosing_ = false;
        emit chosen(itemText(index));
    });
}

void TagList::keyPressEvent(QKeyEvent* event) {
    const bool arrow = event->key() == Qt::Key_Up || event->key() == Qt::Key_Down ||
                       event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown;
    // Alt+Down opens the list: no choice yet.
    choosing_ = arrow && !(event->modifiers() & Qt::AltModifier);
    QComboBox::keyPressEvent(event);
    choosing_ = false;
}

void TagList::wheelEvent(QWheelEvent* event) {
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    choosing_ = true;
    QComboBox::wheelEvent(event);
    choosing_ = false;
}

void TagList::focusOutEvent(QFocusEvent* event) {
    choosing_ = false;
    QComboBox::focusOutEvent(event);
}

void TagList::hidePopup() {
    // An entry picked in the open list closes the list first and is announced
    // right after; a list closed without a pick announces nothing.
    const bool was_open = view()->isVisible();
    QComboBox::hidePopup();
    if (!was_open)
        return;
    choosing_ = true;
    QTimer::singleShot(0, this, [this] { choosing_ = false; });
}
