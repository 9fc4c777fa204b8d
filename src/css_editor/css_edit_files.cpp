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
        questions_.open_failed(*path, read.error);
        return;
    }
    if (looks_binary(read.bytes)) {
        questions_.open_failed(*path, FileError::refusal(FileError::Step::NotText, *path));
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
    const FileError error = save_user_file(*path, {QByteArrayView(bytes->first)});
    if (error.failed()) {
        questions_.save_failed(*path, error);
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
    if (!questions_.save_as_utf8(encoding_, unencodable_characters(text, encoding_)))
        return std::nullopt;
    return std::pair{encode_document(text, Encoding::Utf8Bom), Encoding::Utf8Bom};
}

css_edit::Unsaved css_edit::settle_unsaved_changes() {
    if (!state_.css_changed)
        return Unsaved::None;
    switch (questions_.unsaved_changes()) {
    case CssQuestions::Unsaved::Save:
        return save_stylesheet() ? Unsaved::Saved : Unsaved::Stop;
    case CssQuestions::Unsaved::Discard:
        return Unsaved::Discarded;
    case CssQuestions::Unsaved::Cancel:
        break;
    }
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
