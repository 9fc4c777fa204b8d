#pragma once

#include <QString>
#include <QStringList>

// The modal questions a tag command may ask. Every answer is text; Cancel, a
// closed picker and a cancelled colour dialog all answer with empty text.
class Asker {
  public:
    virtual ~Asker() = default;

    // One-line input box with OK and Cancel. Returns the text in the box on OK
    // (the default when left unchanged), empty text on Cancel.
    virtual QString input(const QString& prompt, const QString& title,
                          const QString& default_text) = 0;

    // The option picker: `title` is the window caption, `items` the entries in order.
    // Returns the chosen entry, or empty text when the picker is closed without one.
    virtual QString pick(const QString& title, const QStringList& items) = 0;

    // The colour dialog titled `prompt`; returns HTML colour text ("#RRGGBB") or empty text.
    virtual QString colour(const QString& prompt) = 0;

    // Yes/No message box without icon. True for Yes.
    virtual bool yes_no(const QString& question, const QString& title) = 0;

    // Information box with OK only, titled with the program's name.
    virtual void inform(const QString& text) = 0;
};

// The title of every input box of every tag command.
inline const QString kInputTitle = QStringLiteral("Immisione parametro");
