#include "widgets/menu_bar_accessible.h"

#include "widgets/wrapping_menu_bar.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QPointer>

namespace {

// The caption without its access key mark ("&&" stands for "&").
QString plain_caption(const QString& text) {
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        plain += text[i];
    }
    return plain;
}

// One caption of the bar. Registered with Qt's accessibility cache under its
// menu's action, which owns it from then on: the cache deletes it with the
// action.
class CaptionAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
  public:
    CaptionAccessible(WrappingMenuBar* bar, QAction* action) : bar_(bar), action_(action) {}

    bool isValid() const override { return bar_ && action_; }
    QObject* object() const override { return action_; }
    QWindow* window() const override { return bar_ ? bar_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return bar_ ? QAccessible::queryAccessibleInterface(bar_) : nullptr;
    }
    int childCount() const override { return menu() ? 1 : 0; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 && menu() ? QAccessible::queryAccessibleInterface(menu()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && menu() && child->object() == menu() ? 0 : -1;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        if (!action_)
            return {};
        switch (t) {
        case QAccessible::Name:
            return plain_caption(action_->text());
        case QAccessible::Accelerator:
            return QKeySequence::mnemonic(action_->text()).toString(QKeySequence::NativeText);
        default:
            return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        const int i = index();
        if (i < 0)
            return {};
        const QRect local = bar_->caption_rect(i);
        return QRect(bar_->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override { return QAccessible::MenuItem; }
    QAccessible::State state() const override {
        QAccessible::State s;
        const int i = index();
        if (i < 0) {
            s.invalid = true;
            return s;
        }
        s.focusable = true;
        s.focused = bar_->highlighted() == i;
        s.hasPopup = menu() != nullptr;
        s.expanded = menu() && bar_->open_menu() == menu();
        s.invisible = !bar_->isVisible();
        s.disabled = !action_->isEnabled();
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }

    QStringList actionNames() const override {
        return isValid() && action_->isEnabled() ? QStringList{showMenuAction()} : QStringList{};
    }
    void doAction(const QString& name) override {
        if (name == showMenuAction() && isValid())
            bar_->open(index());
    }
    QStringList keyBindingsForAction(const QString& name) const override {
        const QString key = text(QAccessible::Accelerator);
        return name == showMenuAction() && !key.isEmpty() ? QStringList{key} : QStringList{};
    }

  private:
    int index() const { return isValid() ? int(bar_->actions().indexOf(action_)) : -1; }
    QMenu* menu() const { return action_ ? action_->menu() : nullptr; }

    QPointer<WrappingMenuBar> bar_;
    QPointer<QAction> action_;
};

class MenuBarAccessible : public QAccessibleWidget {
  public:
    explicit MenuBarAccessible(WrappingMenuBar* bar)
        : QAccessibleWidget(bar, QAccessible::MenuBar) {}

    int childCount() const override { return int(bar()->actions().size()); }
    QAccessibleInterface* child(int index) const override {
        QAction* action = bar()->actions().value(index);
        if (!action)
            return nullptr;
        if (QAccessibleInterface* known = QAccessible::queryAccessibleInterface(action))
            return known;
        auto* caption = new CaptionAccessible(bar(), action);
        QAccessible::registerAccessibleInterface(caption);
        return caption;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child ? int(bar()->actions().indexOf(qobject_cast<QAction*>(child->object()))) : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint local = bar()->mapFromGlobal(QPoint(x, y));
        for (int i = 0; i < childCount(); ++i) {
            if (bar()->caption_rect(i).contains(local))
                return child(i);
        }
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        return bar()->highlighted() >= 0 ? child(bar()->highlighted()) : nullptr;
    }

  private:
    WrappingMenuBar* bar() const { return static_cast<WrappingMenuBar*>(widget()); }
};

} // namespace

QAccessibleInterface* menu_bar_accessible(const QString& key, QObject* object) {
    if (key != QLatin1String("WrappingMenuBar"))
        return nullptr;
    auto* bar = qobject_cast<WrappingMenuBar*>(object);
    return bar ? new MenuBarAccessible(bar) : nullptr;
}
