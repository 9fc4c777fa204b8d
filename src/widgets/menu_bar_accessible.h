#pragma once

class QAccessibleInterface;
class QObject;
class QString;

// What assistive technology learns of the main window's menu bar: a menu
// bar whose children are the menu captions, in order, each named by its
// caption, placed where it is drawn, focused while the keyboard highlights
// it, expanded while its menu is open, and opened by its action. (A plain
// widget would hide all eight menus from a screen reader.)
//
// The factory answers for WrappingMenuBar only; the bar installs it.
QAccessibleInterface* menu_bar_accessible(const QString& key, QObject* object);
