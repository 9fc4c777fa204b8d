#pragma once

#include <QHash>
#include <QString>
#include <functional>

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
