#include "app/wrapping_menu_bar.h"

#include <QAction>
#include <QActionEvent>
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>
#include <QStyle>
#include <QStyleOptionMenuItem>
#include <algorithm>

namespace {

QAction* first_choice(QMenu* menu) {
    for (QAction* action : menu->actions()) {
        if (action->isVisible() && action->isEnabled() && !action->isSeparator())
            return action;
    }
    return nullptr;
}

QKeySequence alt_and(int key) {
    return QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(key)));
}

} // namespace

WrappingMenuBar::WrappingMenuBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("menu_bar"));
    setAccessibleName(QStringLiteral("Barra dei menu"));
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    f10_ = grabShortcut(QKeySequence(Qt::Key_F10), Qt::WindowShortcut);
    // Alt pressed and released alone reaches the bar from whichever widget
    // has the focus.
    qApp->installEventFilter(this);
}

WrappingMenuBar::~WrappingMenuBar() {
    qApp->removeEventFilter(this);
    for (QMenu* menu : menus())
        menu->disconnect(this);
}

QMenu* WrappingMenuBar::addMenu(const QString& title) {
    auto* menu = new QMenu(title, this);
    // A click outside an open menu only closes it, as on the desktop the
    // program comes from; clicks on other captions are handled here.
    menu->setAttribute(Qt::WA_NoMouseReplay);
    connect(menu, &QMenu::aboutToHide, this, [this, menu] { on_menu_hidden(menu); });
    addAction(menu->menuAction());
    return menu;
}

QList<QMenu*> WrappingMenuBar::menus() const {
    QList<QMenu*> list;
    for (QAction* action : actions())
        list << action->menu();
    return list;
}

QRect WrappingMenuBar::caption_rect(int index) const {
    if (index < 0 || index >= int(arranged_.captions.size()))
        return {};
    return arranged_.captions[std::size_t(index)];
}

QMenu* WrappingMenuBar::open_menu() const {
    return open_ >= 0 && open_ < count() ? actions().at(open_)->menu() : nullptr;
}

int WrappingMenuBar::rows() const {
    return arranged_.rows;
}

// Layout -------------------------------------------------------------------

const std::vector<QSize>& WrappingMenuBar::caption_sizes() const {
    if (sizes_.empty()) {
        for (QAction* action : actions()) {
            if (!action->isVisible()) {
                sizes_.emplace_back();
                continue;
            }
            QStyleOptionMenuItem option;
            option.initFrom(this);
            option.menuItemType = QStyleOptionMenuItem::Normal;
            option.text = action->text();
            const QSize text = fontMetrics().size(Qt::TextShowMnemonic, action->text());
            sizes_.push_back(
                style()->sizeFromContents(QStyle::CT_MenuBarItem, &option, text, this));
        }
    }
    return sizes_;
}

WrappingMenuBar::Arrangement WrappingMenuBar::arrange(int width) const {
    const int frame = style()->pixelMetric(QStyle::PM_MenuBarPanelWidth, nullptr, this);
    const int hmargin = style()->pixelMetric(QStyle::PM_MenuBarHMargin, nullptr, this);
    const int vmargin = style()->pixelMetric(QStyle::PM_MenuBarVMargin, nullptr, this);
    const int spacing = style()->pixelMetric(QStyle::PM_MenuBarItemSpacing, nullptr, this);
    const std::vector<QSize>& sizes = caption_sizes();
    int row_height = fontMetrics().height();
    for (const QSize& size : sizes)
        row_height = std::max(row_height, size.height());

    Arrangement result;
    const int left = frame + hmargin;
    const int right = width - frame - hmargin;
    int x = left;
    int y = frame + vmargin;
    result.rows = 1;
    for (const QSize& size : sizes) {
        if (size.isEmpty()) {
            result.captions.emplace_back();
            continue;
        }
        // A caption that does not fit goes to the next row, unless it is
        // the first of its row already.
        if (x > left && x + size.width() > right) {
            x = left;
            y += row_height;
            ++result.rows;
        }
        result.captions.emplace_back(x, y, size.width(), row_height);
        x += size.width() + spacing;
    }
    result.height = y + row_height + vmargin + frame;
    return result;
}

void WrappingMenuBar::relayout() {
    const int rows_before = arranged_.rows;
    arranged_ = arrange(width());
    if (arranged_.rows != rows_before)
        updateGeometry();
    update();
}

int WrappingMenuBar::heightForWidth(int width) const {
    return arrange(width).height;
}

QSize WrappingMenuBar::sizeHint() const {
    const int frame = style()->pixelMetric(QStyle::PM_MenuBarPanelWidth, nullptr, this);
    const int hmargin = style()->pixelMetric(QStyle::PM_MenuBarHMargin, nullptr, this);
    const int spacing = style()->pixelMetric(QStyle::PM_MenuBarItemSpacing, nullptr, this);
    int width = 2 * (frame + hmargin);
    for (const QSize& size : caption_sizes())
        width += size.isEmpty() ? 0 : size.width() + spacing;
    return {width, arrange(width).height};
}

QSize WrappingMenuBar::minimumSizeHint() const {
    const int frame = style()->pixelMetric(QStyle::PM_MenuBarPanelWidth, nullptr, this);
    const int hmargin = style()->pixelMetric(QStyle::PM_MenuBarHMargin, nullptr, this);
    int widest = 0;
    for (const QSize& size : caption_sizes())
        widest = std::max(widest, size.width());
    // The height of one row: the layout takes the minimum height as a lower
    // bound of heightForWidth().
    return {widest + 2 * (frame + hmargin), arrange(QWIDGETSIZE_MAX).height};
}

int WrappingMenuBar::index_at(QPoint pos) const {
    for (std::size_t i = 0; i < arranged_.captions.size(); ++i) {
        if (arranged_.captions[i].contains(pos))
            return int(i);
    }
    return -1;
}

void WrappingMenuBar::actionEvent(QActionEvent* event) {
    QWidget::actionEvent(event);
    sizes_.clear();
    grab_access_keys();
    relayout();
}

void WrappingMenuBar::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        sizes_.clear();
        relayout();
    }
}

void WrappingMenuBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    arranged_ = arrange(width());
}

void WrappingMenuBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionMenuItem empty;
    empty.palette = palette();
    empty.state = QStyle::State_None;
    empty.menuItemType = QStyleOptionMenuItem::EmptyArea;
    empty.checkType = QStyleOptionMenuItem::NotCheckable;
    empty.rect = rect();
    empty.menuRect = rect();
    style()->drawControl(QStyle::CE_MenuBarEmptyArea, &empty, &painter, this);

    const QList<QAction*> list = actions();
    for (int i = 0; i < count(); ++i) {
        const QRect caption = caption_rect(i);
        if (caption.isEmpty())
            continue;
        QStyleOptionMenuItem option;
        option.initFrom(this);
        option.state = QStyle::State_None;
        if (isEnabled() && list[i]->isEnabled())
            option.state |= QStyle::State_Enabled;
        else
            option.palette.setCurrentColorGroup(QPalette::Disabled);
        const bool active = i == open_ || (keyboard_ && i == current_);
        if (active || i == hover_)
            option.state |= QStyle::State_Selected;
        if (active)
            option.state |= QStyle::State_Sunken | QStyle::State_HasFocus;
        option.rect = caption;
        option.menuRect = rect();
        option.menuItemType = QStyleOptionMenuItem::Normal;
        option.checkType = QStyleOptionMenuItem::NotCheckable;
        option.text = list[i]->text();
        style()->drawControl(QStyle::CE_MenuBarItem, &option, &painter, this);
    }
}

// Mouse --------------------------------------------------------------------

void WrappingMenuBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const int index = index_at(event->position().toPoint());
    if (index >= 0)
        popup(index, false);
}

void WrappingMenuBar::mouseMoveEvent(QMouseEvent* event) {
    const int index = index_at(event->position().toPoint());
    if (index != hover_) {
        hover_ = index;
        update();
    }
}

void WrappingMenuBar::leaveEvent(QEvent*) {
    hover_ = -1;
    update();
}

// Menus --------------------------------------------------------------------

void WrappingMenuBar::popup(int index, bool by_keyboard) {
    if (index < 0 || index >= count())
        return;
    QMenu* menu = actions().at(index)->menu();
    if (!menu)
        return;
    if (index != open_ || !menu->isVisible()) {
        close_popup();
        open_ = index;
        current_ = index;
        update();
        menu->popup(mapToGlobal(caption_rect(index).bottomLeft() + QPoint(0, 1)));
    }
    if (by_keyboard) {
        if (QAction* first = first_choice(menu))
            menu->setActiveAction(first);
    }
}

void WrappingMenuBar::close_popup() {
    QMenu* menu = open_menu();
    open_ = -1;
    if (menu && menu->isVisible()) {
        switching_ = true;
        menu->hide();
        switching_ = false;
    }
    update();
}

void WrappingMenuBar::on_menu_hidden(QMenu* menu) {
    if (switching_)
        return;
    const int index = int(actions().indexOf(menu->menuAction()));
    if (index == open_)
        open_ = -1;
    if (back_to_bar_) {
        back_to_bar_ = false;
        enter_keyboard_mode(index);
    } else {
        // An item was chosen, or the menu was closed by a click elsewhere.
        leave_keyboard_mode();
    }
    update();
}

// Keyboard -----------------------------------------------------------------

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
    if (event->reason() != Qt::PopupFocusReason && keyboard_ && open_ < 0) {
        keyboard_ = false;
        current_ = -1;
        focus_before_ = nullptr;
        update();
    }
}

void WrappingMenuBar::keyPressEvent(QKeyEvent* event) {
    if (!keyboard_ || count() == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int n = count();
    switch (event->key()) {
    case Qt::Key_Left:
        current_ = (current_ + n - 1) % n;
        update();
        return;
    case Qt::Key_Right:
        current_ = (current_ + 1) % n;
        update();
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
    const QList<QAction*> list = actions();
    QList<int> sharing;
    for (int i = 0; i < count(); ++i) {
        if (list[i]->isVisible() && list[i]->isEnabled() &&
            QKeySequence::mnemonic(list[i]->text()) == key)
            sharing << i;
    }
    if (sharing.isEmpty())
        return false;
    alt_pressed_ = false;
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
    QList<QKeySequence> grabbed;
    for (QAction* action : actions()) {
        const QKeySequence key = QKeySequence::mnemonic(action->text());
        if (key.isEmpty() || grabbed.contains(key))
            continue;
        grabbed << key;
        access_keys_.insert(grabShortcut(key, Qt::WindowShortcut), key);
    }
}

bool WrappingMenuBar::event(QEvent* event) {
    if (event->type() == QEvent::Shortcut) {
        const int id = static_cast<QShortcutEvent*>(event)->shortcutId();
        if (id == f10_) {
            if (keyboard_ || open_ >= 0) {
                close_popup();
                leave_keyboard_mode();
            } else {
                enter_keyboard_mode(0);
            }
            return true;
        }
        if (access_keys_.contains(id)) {
            access_key(access_keys_.value(id));
            return true;
        }
    }
    return QWidget::event(event);
}

bool WrappingMenuBar::belongs_here(QObject* object) const {
    if (!object->isWidgetType())
        return false;
    QWidget* top = static_cast<QWidget*>(object)->window();
    return top == window() || (qobject_cast<QMenu*>(top) && top->parent() == this);
}

void WrappingMenuBar::watch_alt(QEvent* event, QObject* watched) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride: {
        // A key that makes a shortcut comes as ShortcutOverride only.
        if (!belongs_here(watched))
            return;
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool alt_alone = key->key() == Qt::Key_Alt && !(key->modifiers() & ~Qt::AltModifier);
        if (!key->isAutoRepeat() || !alt_alone)
            alt_pressed_ = alt_alone;
        break;
    }
    case QEvent::KeyRelease: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Alt || !alt_pressed_ || !belongs_here(watched))
            return;
        alt_pressed_ = false;
        if (keyboard_ || open_ >= 0) {
            close_popup();
            leave_keyboard_mode();
        } else {
            enter_keyboard_mode(0);
        }
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::Wheel:
    case QEvent::WindowDeactivate:
        alt_pressed_ = false;
        break;
    default:
        break;
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
            close_popup();
            leave_keyboard_mode();
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
    watch_alt(event, watched);
    if (open_ >= 0 && watched == open_menu())
        return menu_event(static_cast<QMenu*>(watched), event);
    return false;
}
