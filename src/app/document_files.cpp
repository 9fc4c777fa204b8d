// The main window's document files: open, save, the unsaved-changes question
// and the window title. Files are read and written byte for byte: what was
// read comes back unchanged when saved without edits.

#include "app/form1.h"
#include "app/status_presenter.h"
#include "document/document_codec.h"
#include "document/file_io.h"
#include "document/recovery_keeper.h"
#include "platform/qt/editor_style.h"
#include "platform/qt/long_line_styling.h"
#include "platform/qt/scintilla_edit_area.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <Qsci/qsciscintilla.h>

bool Form1::is_modified() const {
    return RichTextBox1->isModified();
}

void Form1::update_title() {
    update_status();
    if (document_path_.isEmpty() && !is_modified()) {
        setWindowTitle(QStringLiteral("Marklet"));
        return;
    }
    const QString name = document_path_.isEmpty() ? QStringLiteral("Senza nome")
                                                  : QFileInfo(document_path_).fileName();
    setWindowTitle(name + (is_modified() ? QStringLiteral(" *") : QString()) +
                   QStringLiteral(" - Marklet"));
}

void Form1::report_failure(const QString& what, const QString& path, const QString& reason) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Marklet"),
                    QStringLiteral("%1 \"%2\".\n%3").arg(what, path, reason), QMessageBox::Ok,
                    this);
    box.setObjectName(QStringLiteral("file_error_box"));
    box.exec();
}

bool Form1::maybe_save() {
    if (!is_modified())
        return true;
    QMessageBox box(QMessageBox::Question, QStringLiteral("Marklet"),
                    QStringLiteral("Salvare le modifiche?"),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setObjectName(QStringLiteral("unsaved_box"));
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return save_document();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

bool Form1::open_document() {
    if (!maybe_save())
        return false;
    const auto path = services_.dialogs->open_file();
    if (!path)
        return false;
    return load_file(*path);
}

bool Form1::open_path(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (!load_file(absolute))
        return false;
    services_.dialogs->set_remembered_path(absolute);
    return true;
}

bool Form1::load_file(const QString& path) {
    const ReadResult read = read_whole_file(path);
    if (!read.ok()) {
        report_failure(QStringLiteral("Impossibile aprire il file"), path, read.error);
        return false;
    }
    if (looks_binary(read.bytes)) {
        report_failure(QStringLiteral("Impossibile aprire il file"), path,
                       QStringLiteral("Non è un file di testo."));
        return false;
    }
    const DocumentForm form = inspect_document(read.bytes);
    encoding_ = form.encoding;
    line_break_ = form.line_break;
    document_path_ = path;
    edit_->set_line_break(line_break_);
    // Very large documents are shown plain, so scrolling never styles them whole;
    // so are documents with over-long lines, styled to be laid out quickly.
    const bool long_lines = has_long_line(read.bytes);
    const bool highlight = !long_lines && read.bytes.size() <= kHighlightLimit;
    if (!highlight)
        style_plain_editor(RichTextBox1);
    edit_->set_long_lines(long_lines);
    // UTF-8 goes to the edit control as it is: no round trip through UTF-16.
    if (encoding_ == Encoding::Windows1252)
        edit_->load_text(decode_document(read.bytes).text);
    else
        edit_->load_utf8(QByteArrayView(read.bytes).sliced(form.text_start));
    if (highlight && !RichTextBox1->lexer())
        style_html_editor(RichTextBox1);
    RichTextBox1->setModified(false);
    update_title();
    status_->notice(QStringLiteral("Aperto %1 (%2, %3)")
                        .arg(QFileInfo(path).fileName(), encoding_name(encoding_),
                             line_break_name(line_break_)));
    return true;
}

std::optional<QByteArray> Form1::bytes_to_save() {
    if (encoding_ != Encoding::Windows1252) {
        // The edit control holds the text as UTF-8 already: no round trip
        // through UTF-16.
        const auto [first, second] = edit_->utf8_parts();
        QByteArray bytes;
        bytes.reserve(first.size() + second.size() + 3);
        if (encoding_ == Encoding::Utf8Bom)
            bytes.append("\xEF\xBB\xBF", 3);
        bytes.append(first).append(second);
        return bytes;
    }
    const QString text = edit_->text();
    const QString missing = unencodable_characters(text, encoding_);
    if (missing.isEmpty())
        return encode_document(text, encoding_);

    QMessageBox box(QMessageBox::Question, QStringLiteral("Marklet"),
                    QStringLiteral("Il documento contiene caratteri che la codifica "
                                   "Windows-1252 non può contenere: %1\n"
                                   "Come salvarli?")
                        .arg(missing.left(40)),
                    QMessageBox::Cancel, this);
    box.setObjectName(QStringLiteral("encoding_box"));
    QPushButton* references = box.addButton(QStringLiteral("Come riferimenti numerici (&&#8800;)"),
                                            QMessageBox::AcceptRole);
    references->setObjectName(QStringLiteral("references_button"));
    QPushButton* utf8 = box.addButton(QStringLiteral("Salva come UTF-8"), QMessageBox::AcceptRole);
    utf8->setObjectName(QStringLiteral("utf8_button"));
    box.setDefaultButton(references);
    box.exec();
    if (box.clickedButton() == references)
        return encode_document(text, encoding_, Unencodable::References);
    if (box.clickedButton() == utf8) {
        encoding_ = Encoding::Utf8;
        return encode_document(text, encoding_);
    }
    return std::nullopt;
}

bool Form1::save_document() {
    const auto path = services_.dialogs->save_file();
    if (!path)
        return false;
    const auto bytes = bytes_to_save();
    if (!bytes)
        return false;
    const QString error = write_file_atomically(*path, *bytes);
    if (!error.isEmpty()) {
        report_failure(QStringLiteral("Impossibile salvare il file"), *path, error);
        return false;
    }
    document_path_ = *path;
    RichTextBox1->setModified(false);
    update_title();
    status_->notice(QStringLiteral("Salvato %1").arg(QFileInfo(*path).fileName()));
    return true;
}

void Form1::closeEvent(QCloseEvent* event) {
    // Closing the main window ends the program: the CSS editor closes with it,
    // asking first about its own unsaved stylesheet.
    if (!maybe_save() || (css_window_ && !css_window_->close())) {
        event->ignore();
        return;
    }
    // A normal end: the text was saved or deliberately discarded.
    recovery_->clear();
    event->accept();
}

bool Form1::offer_recovery() {
    const auto pending = pending_recovery();
    if (!pending)
        return false;
    const QString of = pending->document_path.isEmpty()
                           ? QStringLiteral("un documento senza nome")
                           : QStringLiteral("\"%1\"").arg(pending->document_path);
    QMessageBox box(
        QMessageBox::Question, QStringLiteral("Marklet"),
        QStringLiteral("Marklet si è chiuso senza salvare %1 (copia del %2).\n"
                       "Recuperare il testo?")
            .arg(of, QLocale(QLocale::Italian).toString(pending->saved_at, QLocale::ShortFormat)),
        QMessageBox::Yes | QMessageBox::No, this);
    box.setObjectName(QStringLiteral("recovery_box"));
    box.setDefaultButton(QMessageBox::Yes);
    if (box.exec() != QMessageBox::Yes) {
        const QString error = discard_recovery(*pending);
        if (!error.isEmpty())
            status_->notice(error);
        return false;
    }
    QString error;
    const auto record = recovery_->restore(*pending, &error);
    if (!record) {
        report_failure(QStringLiteral("Impossibile recuperare il testo da"), pending->file, error);
        return false;
    }
    document_path_ = record->document_path;
    encoding_ = record->encoding;
    line_break_ = record->line_break;
    edit_->set_line_break(line_break_);
    const bool long_lines = has_long_line(record->text);
    if (long_lines)
        style_plain_editor(RichTextBox1);
    edit_->set_long_lines(long_lines);
    edit_->load_text(record->text);
    // No save point is set: the text is in no file yet and stays unsaved
    // (and kept for recovery) until the user saves it.
    update_title();
    return true;
}
