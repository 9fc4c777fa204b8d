#pragma once

// Loads Qt's own Italian translations into the application, so standard
// dialogs and buttons speak Italian ("Annulla", "Sì", "Apri"). False when
// the translation files are not installed.
bool install_italian_translations();
