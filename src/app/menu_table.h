#pragma once

#include <span>

// The menu bar as data: eight menus of plain items. Each item's name is the
// objectName of its action and the name of the command it runs.
struct MenuItemDef {
    const char* name;
    const char16_t* caption;
};

struct MenuDef {
    const char* name;
    const char16_t* caption;
    std::span<const MenuItemDef> items;
};

std::span<const MenuDef> menu_table();

// The toolbar buttons as data. `action` names the menu item (or the window
// operation) the button shares its action with; positions in twips, relative
// to the toolbar frame for buttons inside it, to the window otherwise. The
// picture is drawn at its own size in pixels, 22 high.
struct ToolButtonDef {
    const char* name;
    const char* action;
    int left, top, width, height;
    const char* icon;
    const char16_t* tooltip;
    const char16_t* accessible_name;
    bool in_frame;
    int picture_width = 22;
};

constexpr int kPictureHeight = 22;

std::span<const ToolButtonDef> toolbar_table();

// The keys of the main window as data, the one list of them that the window
// binds and its list of keys (F1) shows. `keys` in Qt's portable form,
// several separated by "; ".
struct KeyDef {
    enum Kind {
        Window,   // bound to the window's action of this name (made when absent)
        EditArea, // a key of the edit area itself (Scintilla's command set)
        Note,     // a key or gesture told about; `keys` is words for the user
    };
    const char* name;
    const char16_t* keys;
    const char16_t* caption;
    Kind kind = Window;
};

std::span<const KeyDef> key_table();

// The element names of the tag list, in order.
std::span<const char* const> tag_names();
