#pragma once

#include <QMessageBox>

// A modal message box over `parent`, as both windows show them: the text as
// plain text (it may hold a file's name with '&' or '<'), `default_button`
// (when it is one of `buttons`) taken by Enter, every button with an access
// key. `name` is the box's objectName. Returns the button pressed.
QMessageBox::StandardButton ask_message(QWidget* parent, const QString& name,
                                        QMessageBox::Icon icon, const QString& title,
                                        const QString& text, QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton default_button);

// Gives each button of the box that has no access key one: the first letter
// of its caption that no other button's key takes ("&Salva", "S&carta",
// "&Annulla"), so every answer can be chosen with Alt and a letter.
void give_access_keys(QMessageBox& box);
