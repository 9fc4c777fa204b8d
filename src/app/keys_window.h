#pragma once

#include "app/menu_table.h"

#include <QDialog>
#include <span>

class QTreeWidget;

// What the keys window lists: the tables the main window's menus, toolbar
// and keys are built from.
struct KeyTables {
    std::span<const MenuDef> menus = menu_table();
    std::span<const ToolButtonDef> buttons = toolbar_table();
    std::span<const KeyDef> keys = key_table();
};

// The keys at a glance (F1): every key with what it does, every menu with
// its access key and its items, every toolbar button with its picture and
// tooltip. Written from the tables alone, so it always says what the window
// does. Not modal; Escape closes it.
//
// Ownership: a Qt child of the window it describes.
class KeysWindow : public QDialog {
  public:
    explicit KeysWindow(const KeyTables& tables, QWidget* parent = nullptr);

    // Every line shown, "what\tkeys" (section titles alone), in order.
    QStringList lines() const;

  private:
    QTreeWidget* tree_;
};
