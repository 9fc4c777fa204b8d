#include "editor/completion_popup.h"

#include <Qsci/qsciscintilla.h>

using Sci = QsciScintillaBase;

CompletionPopup::CompletionPopup(QsciScintilla* editor, QObject* owner)
    : QObject(owner), editor_(editor) {
    editor_->SendScintilla(Sci::SCI_AUTOCSETIGNORECASE, 1UL);
    editor_->SendScintilla(Sci::SCI_AUTOCSETAUTOHIDE, 1UL);
    editor_->SendScintilla(Sci::SCI_AUTOCSETCHOOSESINGLE, 0UL);
    editor_->SendScintilla(Sci::SCI_AUTOCSETDROPRESTOFWORD, 0UL);
    editor_->SendScintilla(Sci::SCI_AUTOCSETMAXHEIGHT, 10UL);
    editor_->SendScintilla(Sci::SCI_AUTOCSETSEPARATOR, (unsigned long)'\n');
    connect(editor_, &Sci::SCN_CHARADDED, this, &CompletionPopup::char_added);
    connect(editor_, &Sci::SCN_AUTOCCHARDELETED, this, &CompletionPopup::char_deleted);
    // The item is copied before anything else happens: Scintilla's text of
    // it lives only as long as the list.
    connect(editor_, qOverload<const char*, int>(&Sci::SCN_AUTOCSELECTION), this,
            [this](const char* item, int start) { emit chosen(QByteArray(item), start); });
}

void CompletionPopup::show(qsizetype typed, const QStringList& items) {
    const QByteArray list = items.join(u'\n').toUtf8();
    editor_->SendScintilla(Sci::SCI_AUTOCSHOW, (unsigned long)typed, list.constData());
}

bool CompletionPopup::shown() const {
    return editor_->SendScintilla(Sci::SCI_AUTOCACTIVE) != 0;
}

void CompletionPopup::close() {
    editor_->SendScintilla(Sci::SCI_AUTOCCANCEL);
}

void CompletionPopup::write(long from, long to, const QByteArray& text, long caret) {
    editor_->SendScintilla(Sci::SCI_BEGINUNDOACTION);
    editor_->SendScintilla(Sci::SCI_SETTARGETRANGE, (unsigned long)from, to);
    editor_->SendScintilla(Sci::SCI_REPLACETARGET, (unsigned long)text.size(), text.constData());
    editor_->SendScintilla(Sci::SCI_GOTOPOS, (unsigned long)caret);
    editor_->SendScintilla(Sci::SCI_ENDUNDOACTION);
}

void CompletionPopup::step_over() {
    editor_->SendScintilla(Sci::SCI_CHARRIGHT);
}
