#include "editor/editor_document.h"

#include "document/temp_files.h"
#include "editor/editor_style.h"
#include "editor/long_line_styling.h"
#include "editor/scintilla_edit_area.h"

#include <Qsci/qsciscintilla.h>

EditorDocument::EditorDocument(QsciScintilla* widget, void (*style)(QsciScintilla*))
    : QObject(widget), edit_(new ScintillaEditArea(widget)), style_(style) {
    connect(edit_, &ScintillaEditArea::edited, this, &EditorDocument::changed);
}

void EditorDocument::set_form(const FileForm& form) {
    form_ = form;
    edit_->set_line_break(form.line_break);
}

void EditorDocument::load(QByteArrayView utf8, qsizetype file_size) {
    QsciScintilla* editor = edit_->widget();
    // Very large documents are shown plain, so scrolling never styles them whole;
    // so are documents with over-long lines, styled to be laid out quickly.
    const bool long_lines = has_long_line(utf8);
    const bool highlight = !long_lines && file_size <= kHighlightLimit;
    if (!highlight)
        style_plain_editor(editor);
    edit_->set_long_lines(long_lines);
    edit_->load_utf8(utf8);
    if (highlight && !editor->lexer())
        style_(editor);
}

void EditorDocument::reload(QByteArrayView utf8) {
    edit_->reload_utf8(utf8);
}

std::array<QByteArrayView, 2> EditorDocument::utf8_parts() const {
    return edit_->utf8_parts();
}

QString EditorDocument::text() const {
    return edit_->text();
}

bool EditorDocument::is_modified() const {
    return edit_->widget()->isModified();
}

void EditorDocument::set_save_point() {
    edit_->widget()->setModified(false);
}

void EditorDocument::replace(qsizetype from, qsizetype to, QByteArrayView utf8) {
    edit_->replace_bytes(from, to, utf8);
}

quint64 EditorDocument::revision() const {
    return edit_->revision();
}

qsizetype EditorDocument::size() const {
    return edit_->widget()->length();
}

bool EditorDocument::change_pending() const {
    return edit_->change_pending();
}

qsizetype EditorDocument::caret() const {
    return edit_->caret_byte();
}

namespace {

QByteArray single_byte(const QString& text) {
    return encode_document(text, Encoding::Windows1252, Unencodable::References);
}

} // namespace

bool EditorDocument::preview_is_utf8() const {
    return form_.encoding != Encoding::Windows1252;
}

QByteArray EditorDocument::preview_charset() const {
    return preview_is_utf8() ? QByteArrayLiteral("utf-8") : QByteArrayLiteral("windows-1252");
}

QByteArray EditorDocument::preview_bytes(QByteArrayView utf8) const {
    return preview_is_utf8() ? utf8.toByteArray() : single_byte(QString::fromUtf8(utf8));
}

FileError EditorDocument::write_preview(const QString& path) const {
    if (!preview_is_utf8())
        return rewrite_temp_file(path, {single_byte(edit_->text())});
    // Straight from the edit control's own buffer, as it lies: on a large
    // document a copy, or even closing the buffer's gap, would cost more than
    // the write.
    const auto [before_gap, after_gap] = edit_->utf8_parts();
    return rewrite_temp_file(path, {before_gap, after_gap});
}
