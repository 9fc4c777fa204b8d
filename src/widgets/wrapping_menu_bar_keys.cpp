// The keyboard side of the menu bar: access keys, Alt and F10, the arrows
// along the captions and inside an open menu.

#include "widgets/alt_tap.h"
#include "widgets/widget_of.h"
#include "widgets/wrapping_menu_bar.h"

#include <QAccessible>
#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QShortcutEvent>
#include <algorithm>

namespace {

QKeySequence alt_and(int key) {
    return QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(key)));
}

} // namespace

void WrappingMenuBar::enter_keyboard_mode(int index) {
    if (count() == 0)
        return;
    if (!keyboard_) {
        QWidget* had_focus = window()->focusWidget();
        focus_before_ = had_focus == this ? nullptr : had_focus;
        keyboard_ = true;
    }
    current_ = std::clamp(index, 0, count() - 1);
    setFocus(Qt::MenuBarFocusReason);
    update();
    tell_highlight();
}

void WrappingMenuBar::tell_highlight() {
    if (!QAccessible::isActive() || current_ < 0)
        return;
    QAccessibleEvent event(this, QAccessible::Focus);
    event.setChild(current_);
    QAccessible::updateAccessibility(&event);
}

void WrappingMenuBar::leave_keyboard_mode() {
    const bool was = keyboard_;
    keyboard_ = false;
    current_ = open_;
    if (was && window()->focusWidget() == this) {
        if (focus_before_)
            focus_before_->setFocus(Qt::MenuBarFocusReason);
        else
            clearFocus();
    }
    focus_before_ = nullptr;
    update();
}

void WrappingMenuBar::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    // The focus went elsewhere (Tab, a click): the highlight goes too.
    if (event->reason() != Qt::PopupFocusReason && keyboard_ && open_ < 0)
        leave_keyboard_mode();
}

void WrappingMenuBar::keyPressEvent(QKeyEvent* event) {
    if (!keyboard_ || count() == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int n = count();
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
        current_ = (current_ + (event->key() == Qt::Key_Left ? n - 1 : 1)) % n;
        update();
        tell_highlight();
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        popup(current_, true);
        return;
    case Qt::Key_Escape:
        leave_keyboard_mode();
        return;
    default:
        break;
    }
    // With the bar highlighted, the access key's letter alone opens its menu.
    const auto others = event->modifiers() & ~(Qt::AltModifier | Qt::ShiftModifier);
    if (others == Qt::NoModifier && access_key(alt_and(event->key())))
        return;
    QWidget::keyPressEvent(event);
}

bool WrappingMenuBar::access_key(const QKeySequence& key) {
    const QList<int> sharing = captions_with_key(actions(), key);
    if (sharing.isEmpty())
        return false;
    alt_tap_->cancel();
    // Again while one of them is open or highlighted: the next one.
    const int from = open_ >= 0 ? open_ : (keyboard_ ? current_ : -1);
    const qsizetype at = sharing.indexOf(from);
    popup(at < 0 ? sharing.first() : sharing[(at + 1) % sharing.size()], true);
    return true;
}

void WrappingMenuBar::grab_access_keys() {
    for (auto it = access_keys_.cbegin(); it != access_keys_.cend(); ++it)
        releaseShortcut(it.key());
    access_keys_.clear();
    for (const QKeySequence& key : distinct_access_keys(actions()))
        access_keys_.insert(grabShortcut(key, Qt::WindowShortcut), key);
}

bool WrappingMenuBar::event(QEvent* event) {
    if (event->type() == QEvent::Shortcut) {
        const int id = static_cast<QShortcutEvent*>(event)->shortcutId();
        if (id == f10_)
            toggle_keyboard_mode();
        else if (access_keys_.contains(id))
            access_key(access_keys_.value(id));
        return true;
    }
    return QWidget::event(event);
}

bool WrappingMenuBar::belongs_here(QObject* object) const {
    QWidget* widget = widget_of(object);
    if (!widget)
        return false;
    QWidget* top = widget->window();
    return top == window() || (qobject_cast<QMenu*>(top) && top->parent() == this);
}

void WrappingMenuBar::toggle_keyboard_mode() {
    if (keyboard_ || open_ >= 0) {
        close_popup();
        leave_keyboard_mode();
    } else {
        enter_keyboard_mode(0);
    }
}

bool WrappingMenuBar::menu_event(QMenu* menu, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        const auto modifiers = key->modifiers() & ~Qt::KeypadModifier;
        const int n = count();
        if (modifiers == Qt::NoModifier && open_ >= 0 &&
            (key->key() == Qt::Key_Left || key->key() == Qt::Key_Right)) {
            popup((open_ + (key->key() == Qt::Key_Left ? n - 1 : 1)) % n, true);
            return true;
        }
        if (modifiers == Qt::NoModifier && key->key() == Qt::Key_Escape) {
            back_to_bar_ = true;
            menu->hide();
            return true;
        }
        // QMenu closes at Alt: here Alt alone closes it when released, and
        // Alt+letter moves between the menus.
        if (key->key() == Qt::Key_Alt)
            return true;
        if (key->key() == Qt::Key_F10) {
            toggle_keyboard_mode();
            return true;
        }
        // Alt+letter goes to the captions of the bar, not to the items.
        return modifiers == Qt::AltModifier && access_key(alt_and(key->key()));
    }
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress: {
        // While a menu is open the mouse belongs to it: follow the pointer
        // over the captions here.
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint local = mapFromGlobal(mouse->globalPosition().toPoint());
        const int index = rect().contains(local) ? index_at(local) : -1;
        if (index < 0 || index == open_)
            return false; // a press on the open caption closes its menu
        popup(index, false);
        return event->type() == QEvent::MouseButtonPress;
    }
    default:
        return false;
    }
}

bool WrappingMenuBar::eventFilter(QObject* watched, QEvent* event) {
    if (open_ >= 0 && watched == open_menu())
        return menu_event(static_cast<QMenu*>(watched), event);
    return false;
}
