// Stylesheet files of the CSS editor: its buttons and its closing wired to
// the stylesheet's session, and the unsaved-changes flag kept from it.

#include "css_editor/css_edit.h"
#include "document/document_session.h"
#include "editor/editor_document.h"

#include <QCloseEvent>
#include <Qsci/qsciscintilla.h>

void css_edit::build_session() {
    SessionPolicy policy;
    policy.save_asks_name = true;
    policy.keeps_recovery_copy = false;
    policy.watches_disk = false;
    policy.loaded_text_unsaved = true;
    policy.utf8_choice = Encoding::Utf8Bom; // read right whatever the linking page's encoding
    session_ = std::make_unique<DocumentSession>(*document_, *dialogs_, questions_, policy);
    connect(RichTextBox1, &QsciScintilla::modificationChanged, session_.get(),
            &DocumentSession::modification_changed);
    connect(session_.get(), &DocumentSession::changed, this,
            [this] { state_.css_changed = session_->is_modified(); });
    // Changes an earlier window left unsettled are this window's to ask about.
    if (state_.css_changed)
        session_->mark_unsaved();
}

Encoding css_edit::encoding() const {
    return session_->encoding();
}

void css_edit::open_stylesheet() {
    session_->open();
}

bool css_edit::save_stylesheet() {
    return session_->save_as();
}

void css_edit::closeEvent(QCloseEvent* event) {
    if (!session_->settle_unsaved_changes()) {
        event->ignore();
        return;
    }
    // The text goes with the window: nothing unsaved is left.
    session_->close();
    event->accept();
}
