#include "app/document_bindings.h"

#include "app/file_change_bar.h"
#include "app/status_presenter.h"
#include "dialogs/file_error_text.h"
#include "document/recovery_keeper.h"
#include "editor/editor_style.h"
#include "editor/long_line_styling.h"
#include "editor/scintilla_edit_area.h"

#include <QAction>
#include <QMainWindow>
#include <Qsci/qsciscintilla.h>

void EditorBuffer::load(QByteArrayView utf8, qsizetype file_size) {
    QsciScintilla* editor = edit_.widget();
    // Very large documents are shown plain, so scrolling never styles them whole;
    // so are documents with over-long lines, styled to be laid out quickly.
    const bool long_lines = has_long_line(utf8);
    const bool highlight = !long_lines && file_size <= kHighlightLimit;
    if (!highlight)
        style_plain_editor(editor);
    edit_.set_long_lines(long_lines);
    edit_.load_utf8(utf8);
    if (highlight && !editor->lexer())
        style_html_editor(editor);
}

void EditorBuffer::reload(QByteArrayView utf8) {
    edit_.reload_utf8(utf8);
}

std::array<QByteArrayView, 2> EditorBuffer::utf8_parts() const {
    return edit_.utf8_parts();
}

QString EditorBuffer::text() const {
    return edit_.text();
}

bool EditorBuffer::is_modified() const {
    return edit_.widget()->isModified();
}

void EditorBuffer::set_save_point() {
    edit_.widget()->setModified(false);
}

void EditorBuffer::set_line_break(LineBreak line_break) {
    edit_.set_line_break(line_break);
}

void EditorBuffer::replace(qsizetype from, qsizetype to, QByteArrayView utf8) {
    edit_.replace_bytes(from, to, utf8);
}

WindowDocument::WindowDocument(QMainWindow* window, ScintillaEditArea& edit,
                               DialogProvider& dialogs, DocumentQuestions& questions,
                               StatusPresenter& status)
    : buffer_(edit), session_(std::make_unique<DocumentSession>(buffer_, dialogs, questions)) {
    DocumentSession* session = session_.get();
    QObject::connect(&edit, &EditArea::changed, session, &DocumentSession::text_changed);
    QObject::connect(edit.widget(), &QsciScintilla::modificationChanged, session,
                     &DocumentSession::modification_changed);
    QObject::connect(session, &DocumentSession::changed, window,
                     [window, session] { window->setWindowTitle(session->title()); });
    // A message without a timeout stands until the document's next one.
    const QString standing = QStringLiteral("document");
    QObject::connect(session, &DocumentSession::message, &status,
                     [&status, standing](const QString& text, int timeout) {
                         status.mended(standing);
                         if (timeout > 0)
                             status.notice(text, timeout);
                         else
                             status.failure(standing, text);
                     });
    const QString recovery = QStringLiteral("recovery");
    QObject::connect(
        session->recovery(), &RecoveryKeeper::failed, &status,
        [&status, recovery](const FileError& error) {
            status.failure(
                recovery, QStringLiteral("Copia di recupero non scritta: %1").arg(describe(error)));
        });
    QObject::connect(session, &DocumentSession::discard_failed, &status,
                     [&status, standing](const FileError& error) {
                         status.mended(standing);
                         status.notice(describe(error), 5000);
                     });
    QObject::connect(session->recovery(), &RecoveryKeeper::written, &status,
                     [&status, recovery] { status.mended(recovery); });
    for (const auto& [name, keys, save] :
         {std::tuple{"save_action", QKeySequence(Qt::CTRL | Qt::Key_S), &DocumentSession::save},
          std::tuple{"save_as_action", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
                     &DocumentSession::save_as}}) {
        auto* action = new QAction(window);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(keys);
        QObject::connect(action, &QAction::triggered, session,
                         [session, save] { (session->*save)(); });
        window->addAction(action);
    }
    // Changes made on disk by others: told above the edit area.
    change_bar_ = new FileChangeBar(edit.widget());
    QObject::connect(session, &DocumentSession::disk_changed, change_bar_,
                     &FileChangeBar::show_change);
    QObject::connect(change_bar_, &FileChangeBar::reload_asked, session, &DocumentSession::reload);
    QObject::connect(change_bar_, &FileChangeBar::save_asked, session, &DocumentSession::save);
    QObject::connect(change_bar_, &FileChangeBar::ignore_asked, session,
                     &DocumentSession::ignore_disk_change);
    auto* reach = new QAction(window);
    reach->setObjectName(QStringLiteral("file_change_focus_action"));
    // Its key (F6) comes from the window's table of keys.
    QObject::connect(reach, &QAction::triggered, change_bar_, &FileChangeBar::take_focus);
    window->addAction(reach);
    window->setWindowTitle(session->title());
}

WindowDocument::~WindowDocument() = default;
