#pragma once

class QMessageBox;

// Gives each button of the box that has no access key one: the first letter
// of its caption that no other button's key takes ("&Salva", "S&carta",
// "&Annulla"), so every answer can be chosen with Alt and a letter.
void give_access_keys(QMessageBox& box);
