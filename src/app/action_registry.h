#pragma once

#include <QHash>
#include <QString>
#include <functional>
#include <span>

struct KeyDef;
class QAction;
class QWidget;
class WrappingMenuBar;

// The main window's menu items and toolbar buttons, made by one loop over the
// menu and toolbar tables (menu_table.h): one QAction per name, shared by the
// menu item and the toolbar button that run it. Triggering an action calls
// `run` with its name.
//
// Ownership: the actions, menus and buttons are Qt children of the widgets
// given (the window, the menu bar, the toolbar frame and the client area).
class ActionRegistry {
  public:
    using Run = std::function<void(const QString& name)>;

    ActionRegistry(QWidget* window, Run run);

    // The eight menus of the table, in order, each with its items.
    void build_menus(WrappingMenuBar* bar);
    // The toolbar buttons: those of the frame in `frame`, the rest in `client`.
    // Their pictures are drawn at their own sizes; the menus show no icons.
    void build_toolbar(QWidget* frame, QWidget* client);
    // The keys of the table's Window rows, each on the window's action of
    // that name: the registry's own, one made elsewhere in the window (found
    // by its objectName), or a new one, with the row's caption, that runs its
    // name. Call once every part of the window has made its actions.
    void bind_keys(std::span<const KeyDef> keys);
    // Items whose operation does not exist stay visible but disabled.
    void disable_unless(const std::function<bool(const QString& name)>& exists);

    QAction* action(const QString& name) const { return actions_.value(name); }
    const QHash<QString, QAction*>& actions() const { return actions_; }

  private:
    QAction* add(const QString& name, const QString& caption);

    QWidget* window_;
    Run run_;
    QHash<QString, QAction*> actions_;
};
