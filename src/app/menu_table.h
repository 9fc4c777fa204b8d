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

// The element names of the tag list, in order.
std::span<const char* const> tag_names();
