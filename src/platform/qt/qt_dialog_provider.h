#pragma once

#include "platform/dialog_provider.h"

class QWidget;

// Qt's own file and colour dialogs, modal to `parent`.
class QtDialogProvider : public DialogProvider {
  public:
    explicit QtDialogProvider(QWidget* parent) : parent_(parent) {}

    std::optional<QString> open_file() override;
    std::optional<QString> save_file() override;
    std::optional<unsigned int> colour(const QString& title) override;

    QString remembered_path() const override { return remembered_; }
    void set_remembered_path(const QString& path) override { remembered_ = path; }

  private:
    QWidget* parent_;
    QString remembered_;
};
