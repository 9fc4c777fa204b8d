// Stylesheet files of the CSS editor: open, save, and the question about
// unsaved changes before a file replaces the text or the window closes.

#include "css_editor/css_edit.h"
#include "document/file_io.h"
#include "editor/scintilla_edit_area.h"

#include <QCloseEvent>
#include <Qsci/qsciscintilla.h>

void css_edit::open_stylesheet() {
    if (settle_unsaved_changes() == Unsaved::Stop)
        return;
    // Until a file replaces the text, whatever was unsaved stays unsaved.
    const auto path = dialogs_->open_file();
    if (!path)
        return;
    const ReadResult read = read_whole_file(*path);
    if (!read.ok()) {
        report(QStringLiteral("Apertura non riuscita"),
               QStringLiteral("Il file \"%1\" non è stato aperto.\n%2").arg(*path, read.error));
        return;
    }
    if (looks_binary(read.bytes)) {
        report(QStringLiteral("Apertura non riuscita"),
               QStringLiteral("Il file \"%1\" non è stato aperto: non è un file di testo.")
                   .arg(*path));
        return;
    }
    const DecodedDocument stylesheet = decode_document(read.bytes);
    encoding_ = stylesheet.encoding;
    edit_->set_line_break(stylesheet.line_break);
    // A change of the text: css_changed becomes true.
    edit_->load_text(stylesheet.text);
}

bool css_edit::save_stylesheet() {
    const auto path = dialogs_->save_file();
    if (!path)
        return false;
    const auto bytes = bytes_to_save();
    if (!bytes)
        return false;
    const QString error = save_user_file(*path, {QByteArrayView(bytes->first)});
    if (!error.isEmpty()) {
        report(QStringLiteral("Salvataggio non riuscito"),
               QStringLiteral("Il file \"%1\" non è stato salvato.\n%2").arg(*path, error));
        return false;
    }
    encoding_ = bytes->second;
    state_.css_changed = false;
    return true;
}

std::optional<std::pair<QByteArray, Encoding>> css_edit::bytes_to_save() {
    const QString text = edit_->text();
    const QByteArray bytes = encode_document(text, encoding_);
    if (!bytes.isNull())
        return std::pair{bytes, encoding_};
    // CSS has no character references: the characters need another encoding.
    // UTF-8 with its mark is read right whatever the linking page's encoding.
    const QString missing = unencodable_characters(text, encoding_);
    const auto answer = message_box_(
        QMessageBox::Question, QStringLiteral("Caratteri non salvabili"),
        QStringLiteral("Il foglio di stile è in codifica %1, che non può contenere questi "
                       "caratteri: %2\n\nSalvarlo in UTF-8?")
            .arg(encoding_name(encoding_), missing),
        QMessageBox::Yes | QMessageBox::Cancel);
    if (answer != QMessageBox::Yes)
        return std::nullopt;
    return std::pair{encode_document(text, Encoding::Utf8Bom), Encoding::Utf8Bom};
}

css_edit::Unsaved css_edit::settle_unsaved_changes() {
    if (!state_.css_changed)
        return Unsaved::None;
    const auto answer =
        message_box_(QMessageBox::NoIcon, QStringLiteral("File non salvato"),
                     QStringLiteral("Il file corrente non è stato salvato. Salvare?"),
                     QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::Yes)
        return save_stylesheet() ? Unsaved::Saved : Unsaved::Stop;
    if (answer == QMessageBox::No)
        return Unsaved::Discarded;
    return Unsaved::Stop;
}

void css_edit::closeEvent(QCloseEvent* event) {
    const Unsaved unsaved = settle_unsaved_changes();
    if (unsaved == Unsaved::Stop) {
        event->ignore();
        return;
    }
    // The text goes with the window: nothing unsaved is left.
    if (unsaved == Unsaved::Discarded)
        state_.css_changed = false;
    event->accept();
}

void css_edit::report(const QString& title, const QString& text) {
    message_box_(QMessageBox::Warning, title, text, QMessageBox::Ok);
}

QMessageBox::StandardButton css_edit::show_message_box(QMessageBox::Icon icon, const QString& title,
                                                       const QString& text,
                                                       QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, title, text, buttons, this);
    box.setObjectName(QStringLiteral("css_message_box"));
    if (buttons.testFlag(QMessageBox::Yes))
        box.setDefaultButton(QMessageBox::Yes);
    return QMessageBox::StandardButton(box.exec());
}
