#pragma once

// Loads Qt's own Italian translations into the application, so standard
// dialogs and buttons speak Italian ("Annulla", "Sì", "Apri"), and gives the
// edit areas' menus (Undo, Copy, ...) Italian words. False when the toolkit's
// translation files are not installed (the edit areas' words are ours then).
bool install_italian_translations();
