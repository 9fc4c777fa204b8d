#pragma once

#include "platform/asker.h"

class Form1;

// The questions of tag commands as real modal dialogs of the main window:
// input boxes, the option picker (through the window's tmp_lst and str_ret),
// the colour dialog (through sel_colore) and message boxes without icon.
class Form1Asker : public Asker {
  public:
    explicit Form1Asker(Form1& window) : window_(window) {}

    QString input(const QString& prompt, const QString& title,
                  const QString& default_text) override;
    QString pick(const QString& title, const QStringList& items) override;
    QString colour(const QString& prompt) override;
    bool yes_no(const QString& question, const QString& title) override;
    void inform(const QString& text) override;

  private:
    Form1& window_;
};
