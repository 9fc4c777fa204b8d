#include "app/action_registry.h"

#include "app/menu_table.h"
#include "app/toolbar_pictures.h"
#include "platform/twips.h"
#include "widgets/wrapping_menu_bar.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QToolButton>

ActionRegistry::ActionRegistry(QWidget* window, Run run) : window_(window), run_(std::move(run)) {}

QAction* ActionRegistry::add(const QString& name, const QString& caption) {
    auto* act = new QAction(caption, window_);
    act->setObjectName(name);
    actions_.insert(name, act);
    QObject::connect(act, &QAction::triggered, window_, [this, name] { run_(name); });
    return act;
}

void ActionRegistry::build_menus(WrappingMenuBar* bar) {
    for (const MenuDef& menu_def : menu_table()) {
        QMenu* menu = bar->addMenu(QString::fromUtf16(menu_def.caption));
        menu->setObjectName(QString::fromLatin1(menu_def.name));
        for (const MenuItemDef& item : menu_def.items)
            menu->addAction(add(QString::fromLatin1(item.name), QString::fromUtf16(item.caption)));
    }
}

void ActionRegistry::build_toolbar(QWidget* frame, QWidget* client) {
    for (const ToolButtonDef& def : toolbar_table()) {
        // Buttons that run an operation of the window, not a menu item, get
        // an action of their own.
        const QString name = QString::fromLatin1(def.action);
        QAction* act = actions_.contains(name) ? actions_.value(name) : add(name, QString());
        auto* button = new QToolButton(def.in_frame ? frame : client);
        button->setObjectName(QString::fromLatin1(def.name));
        act->setToolTip(QString::fromUtf16(def.tooltip));
        act->setIcon(toolbar_picture(QString::fromLatin1(def.icon),
                                     QSize(def.picture_width, kPictureHeight)));
        act->setIconVisibleInMenu(false);
        button->setDefaultAction(act);
        button->setToolTip(QString::fromUtf16(def.tooltip));
        button->setAccessibleName(QString::fromUtf16(def.accessible_name));
        button->setAutoRaise(false);
        button->setFocusPolicy(Qt::TabFocus);
        const QRect place = twips_rect(def.left, def.top, def.width, def.height);
        button->setGeometry(place);
        button->setIconSize(QSize(def.picture_width, kPictureHeight));
    }
}

void ActionRegistry::bind_keys(std::span<const KeyDef> keys) {
    for (const KeyDef& row : keys) {
        if (row.kind != KeyDef::Window)
            continue;
        const QString name = QString::fromLatin1(row.name);
        QAction* act = actions_.value(name);
        if (!act)
            act = window_->findChild<QAction*>(name, Qt::FindDirectChildrenOnly);
        if (!act)
            act = add(name, QString::fromUtf16(row.caption));
        act->setShortcuts(QKeySequence::listFromString(QString::fromUtf16(row.keys)));
        act->setShortcutContext(Qt::WindowShortcut);
        window_->addAction(act);
    }
}

void ActionRegistry::disable_unless(const std::function<bool(const QString& name)>& exists) {
    for (QAction* act : std::as_const(actions_)) {
        if (!exists(act->objectName()))
            act->setEnabled(false);
    }
}
