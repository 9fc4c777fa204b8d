#include "platform/qt/scintilla_edit_area.h"

#include <QEvent>
#include <Qsci/qsciscintilla.h>

ScintillaEditArea::ScintillaEditArea(QsciScintilla* widget) : EditArea(widget), widget_(widget) {
    widget_->setUtf8(true);
    connect(widget_, &QsciScintilla::textChanged, this, &ScintillaEditArea::on_text_changed);
    widget_->installEventFilter(this);
    widget_->viewport()->installEventFilter(this);
}

bool ScintillaEditArea::eventFilter(QObject* watched, QEvent* event) {
    // The next input event means the previous one has been handled in full:
    // report its change now, so every keystroke is reported on its own.
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::DragEnter:
    case QEvent::Drop:
        if (pending_ && quiet_ == 0)
            flush();
        break;
    default:
        break;
    }
    return EditArea::eventFilter(watched, event);
}

template <typename F> void ScintillaEditArea::program_change(F&& change) {
    ++quiet_;
    change();
    --quiet_;
    if (quiet_ == 0) {
        pending_ = false;
        emit changed();
    }
}

void ScintillaEditArea::on_text_changed() {
    if (quiet_ > 0 || pending_)
        return;
    pending_ = true;
    QMetaObject::invokeMethod(this, &ScintillaEditArea::flush, Qt::QueuedConnection);
}

void ScintillaEditArea::flush() {
    if (!pending_)
        return;
    pending_ = false;
    emit changed();
}

QString ScintillaEditArea::text() const {
    return widget_->text();
}

QByteArray ScintillaEditArea::utf8() const {
    const auto length = widget_->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
    const auto* data = reinterpret_cast<const char*>(
        widget_->SendScintilla(QsciScintillaBase::SCI_GETCHARACTERPOINTER));
    return QByteArray(data, qsizetype(length));
}

void ScintillaEditArea::set_text(const QString& text) {
    program_change([&] {
        widget_->SendScintilla(QsciScintillaBase::SCI_BEGINUNDOACTION);
        widget_->selectAll();
        widget_->replaceSelectedText(text);
        widget_->SendScintilla(QsciScintillaBase::SCI_ENDUNDOACTION);
    });
}

void ScintillaEditArea::load_text(const QString& text) {
    program_change([&] {
        widget_->setText(text);
        widget_->SendScintilla(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
        widget_->SendScintilla(QsciScintillaBase::SCI_GOTOPOS, 0UL);
    });
}

QString ScintillaEditArea::selected_text() const {
    return widget_->selectedText();
}

void ScintillaEditArea::replace_selection(const QString& text) {
    program_change([&] {
        widget_->SendScintilla(QsciScintillaBase::SCI_BEGINUNDOACTION);
        widget_->replaceSelectedText(text);
        widget_->SendScintilla(QsciScintillaBase::SCI_ENDUNDOACTION);
    });
}

qsizetype ScintillaEditArea::to_characters(qsizetype byte_position) const {
    return qsizetype(
        widget_->SendScintilla(QsciScintillaBase::SCI_COUNTCODEUNITS, 0UL, long(byte_position)));
}

qsizetype ScintillaEditArea::to_bytes(qsizetype character_position) const {
    if (character_position <= 0)
        return 0;
    const auto length = qsizetype(widget_->SendScintilla(QsciScintillaBase::SCI_GETLENGTH));
    const auto bytes = qsizetype(widget_->SendScintilla(
        QsciScintillaBase::SCI_POSITIONRELATIVECODEUNITS, 0UL, long(character_position)));
    // Scintilla answers 0 for a position beyond the end.
    return bytes == 0 ? length : bytes;
}

qsizetype ScintillaEditArea::caret() const {
    return to_characters(qsizetype(widget_->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS)));
}

void ScintillaEditArea::set_caret(qsizetype position) {
    widget_->SendScintilla(QsciScintillaBase::SCI_GOTOPOS, (unsigned long)to_bytes(position));
}

void ScintillaEditArea::select(qsizetype start, qsizetype length) {
    widget_->SendScintilla(QsciScintillaBase::SCI_SETSEL, (unsigned long)to_bytes(start),
                           long(to_bytes(start + length)));
}

qsizetype ScintillaEditArea::selection_start() const {
    return to_characters(
        qsizetype(widget_->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART)));
}

qsizetype ScintillaEditArea::selection_length() const {
    const auto end = qsizetype(widget_->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONEND));
    return to_characters(end) - selection_start();
}

void ScintillaEditArea::give_focus() {
    widget_->setFocus(Qt::OtherFocusReason);
}
