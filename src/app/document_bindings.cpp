#include "app/document_bindings.h"

#include "app/file_change_bar.h"
#include "app/status_labels.h"
#include "app/status_presenter.h"
#include "dialogs/file_error_text.h"
#include "document/recovery_keeper.h"
#include "editor/editor_document.h"
#include "editor/editor_style.h"
#include "editor/scintilla_edit_area.h"
#include "find/find_bar.h"
#include "writing_help/writing_help.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <Qsci/qsciscintilla.h>

WindowDocument::WindowDocument(QMainWindow* window, EditorDocument& text, DialogProvider& dialogs,
                               DocumentQuestions& questions, StatusPresenter& status)
    : session_(std::make_unique<DocumentSession>(text, dialogs, questions)) {
    DocumentSession* session = session_.get();
    // The recovery copy reads the text once per change, at its notice.
    QObject::connect(&text, &EditorDocument::changed, session, &DocumentSession::text_changed);
    QObject::connect(text.edit_area().widget(), &QsciScintilla::modificationChanged, session,
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
    change_bar_ = new FileChangeBar(text.edit_area().widget());
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

    // Search and replace in the document, with the window's keys for them.
    find_bar_ = new FindBar(text.edit_area());
    install_find_shortcuts(window, find_bar_);

    // The status bar's parts that read the document: the caret's place and
    // the file form, then the page checker's count.
    new StatusLabels(window->statusBar(), text.edit_area(), *session);
    // Completion, end tags and the page checker with its count and F8.
    auto* help = new WritingHelp(text, window);
    QObject::connect(session, &DocumentSession::changed, help, &WritingHelp::file_changed);
    window->statusBar()->addPermanentWidget(help->status_label());
    keep_whole(help->status_label(), QStringLiteral("9 errori, 99 avvisi"));
    window->addActions(help->actions());
}

WindowDocument::~WindowDocument() = default;
