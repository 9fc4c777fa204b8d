#include "widgets/wrapping_menu_bar.h"

#include "widgets/alt_tap.h"
#include "widgets/menu_bar_accessible.h"

#include <QAccessible>
#include <QAction>
#include <QActionEvent>
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>
#include <algorithm>

namespace {

QAction* first_choice(QMenu* menu) {
    for (QAction* action : menu->actions()) {
        if (action->isVisible() && action->isEnabled() && !action->isSeparator())
            return action;
    }
    return nullptr;
}

} // namespace

WrappingMenuBar::WrappingMenuBar(QWidget* parent)
    : QWidget(parent),
      // Alt pressed and released alone reaches the bar from whichever widget
      // has the focus.
      alt_tap_(new AltTap([this](QObject* object) { return belongs_here(object); }, this)) {
    static const bool accessible = (QAccessible::installFactory(menu_bar_accessible), true);
    Q_UNUSED(accessible);
    setObjectName(QStringLiteral("menu_bar"));
    setAccessibleName(QStringLiteral("Barra dei menu"));
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    f10_ = grabShortcut(QKeySequence(Qt::Key_F10), Qt::WindowShortcut);
    connect(alt_tap_, &AltTap::tapped, this, &WrappingMenuBar::toggle_keyboard_mode);
}

WrappingMenuBar::~WrappingMenuBar() {
    for (QMenu* menu : menus()) {
        menu->disconnect(this);
        menu->removeEventFilter(this);
    }
}

QMenu* WrappingMenuBar::addMenu(const QString& title) {
    auto* menu = new QMenu(title, this);
    // A click outside an open menu only closes it, as on the desktop the
    // program comes from; clicks on other captions are handled here.
    menu->setAttribute(Qt::WA_NoMouseReplay);
    connect(menu, &QMenu::aboutToHide, this, [this, menu] { on_menu_hidden(menu); });
    menu->installEventFilter(this);
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
    if (sizes_.empty())
        sizes_ = measure_captions(this, actions());
    return sizes_;
}

CaptionRows WrappingMenuBar::arrange(int width) const {
    return arrange_captions(caption_sizes(), width, caption_metrics(this));
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
    const int width = one_row_width(caption_sizes(), caption_metrics(this));
    return {width, arrange(width).height};
}

QSize WrappingMenuBar::minimumSizeHint() const {
    const CaptionMetrics m = caption_metrics(this);
    int widest = 0;
    for (const QSize& size : caption_sizes())
        widest = std::max(widest, size.width());
    // The height of one row: the layout takes the minimum height as a lower
    // bound of heightForWidth().
    return {widest + 2 * (m.frame + m.hmargin), arrange(QWIDGETSIZE_MAX).height};
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
    const int active = open_ >= 0 ? open_ : (keyboard_ ? current_ : -1);
    paint_captions(painter, this, arranged_, active, hover_);
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
