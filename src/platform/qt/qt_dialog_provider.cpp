#include "platform/qt/qt_dialog_provider.h"

#include "dialogs/colour_text.h"

#include <QColorDialog>
#include <QFileDialog>

std::optional<QString> QtDialogProvider::open_file() {
    const QString path = QFileDialog::getOpenFileName(parent_, QString(), remembered_);
    if (path.isEmpty())
        return std::nullopt;
    remembered_ = path;
    return path;
}

std::optional<QString> QtDialogProvider::save_file() {
    // Saving never asks before replacing: confirming the offered name writes
    // the document back to the file it came from.
    const QString path = QFileDialog::getSaveFileName(parent_, QString(), remembered_, QString(),
                                                      nullptr, QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty())
        return std::nullopt;
    remembered_ = path;
    return path;
}

std::optional<unsigned int> QtDialogProvider::colour(const QString& title) {
    const QColor chosen = QColorDialog::getColor(QColor(), parent_, title);
    if (!chosen.isValid())
        return std::nullopt;
    return colour_number(chosen.red(), chosen.green(), chosen.blue());
}
