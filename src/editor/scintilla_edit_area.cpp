#include "editor/scintilla_edit_area.h"

#include "editor/brace_matcher.h"
#include "editor/change_notice.h"
#include "editor/editor_text.h"
#include "editor/long_line_styling.h"
#include "editor/scintilla_accessibility.h"
#include "editor/utf8_units.h"

#include <QKeyEvent>
#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>
#include <Qsci/qsciscintilla.h>

#include <algorithm>

namespace {

// A key pressed with Ctrl (and not Alt, which with Ctrl may be AltGr) that
// would type its character: Scintilla types the text of any key it has no
// command for, so Ctrl+1 or Ctrl+Shift+= would put "1" or "+" in the page.
bool types_with_ctrl(const QKeyEvent& key) {
    const Qt::KeyboardModifiers mods = key.modifiers();
    return (mods & Qt::ControlModifier) && !(mods & (Qt::AltModifier | Qt::MetaModifier)) &&
           !key.text().isEmpty() && key.text().front().isPrint();
}

constexpr int text_change_notices =
    QsciScintillaBase::SC_MOD_INSERTTEXT | QsciScintillaBase::SC_MOD_DELETETEXT |
    QsciScintillaBase::SC_MOD_BEFOREINSERT | QsciScintillaBase::SC_MOD_BEFOREDELETE;

} // namespace

ScintillaEditArea::ScintillaEditArea(QsciScintilla* widget)
    : EditArea(widget), widget_(widget), long_lines_(new LongLineStyling(widget)),
      notice_(new ChangeNotice(this)), columns_(widget) {
    widget_->setUtf8(true);
    // Changes are learnt from Scintilla's notices before and after a change:
    // while accessibility is off only the ones before it are sent (see
    // scintilla_accessibility.h), otherwise both, which count as one change.
    scintilla_accessibility::manage(widget_);
    connect(widget_, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int position, int type, const char*, int length, int, int, int, int, int, int) {
                on_modified(position, type, length);
            });
    connect(notice_, &ChangeNotice::reported, this, &ScintillaEditArea::report);
    // QScintilla's own caret notice and brace lighting go; ours take their place.
    QObject::disconnect(widget_, &QsciScintillaBase::SCN_UPDATEUI, widget_, nullptr);
    connect(widget_, &QsciScintillaBase::SCN_UPDATEUI, this, &ScintillaEditArea::on_update_ui);
    widget_->installEventFilter(this);
    widget_->viewport()->installEventFilter(this);
    // Redo on Ctrl+Shift+Z too, as in other editors of the desktop.
    if (QsciCommand* redo = widget_->standardCommands()->find(QsciCommand::Redo))
        redo->setAlternateKey(QKeyCombination(Qt::CTRL | Qt::SHIFT, Qt::Key_Z).toCombined());
}

void ScintillaEditArea::on_modified(qsizetype position, int type, qsizetype length) {
    if (type & QsciScintillaBase::SC_MOD_BEFOREINSERT) {
        columns_.before_insert(position);
        notice_->note_edit(position, 0, length);
    }
    if (type & QsciScintillaBase::SC_MOD_BEFOREDELETE) {
        columns_.before_delete(position, length);
        notice_->note_edit(position, length, 0);
    }
    if (type & text_change_notices)
        notice_->text_changed();
}

void ScintillaEditArea::report(qsizetype position, qsizetype removed, qsizetype added,
                               quint64 revision) {
    emit edited(position, removed, added, revision);
    emit changed();
}

bool ScintillaEditArea::change_pending() const {
    return notice_->pending();
}

quint64 ScintillaEditArea::revision() const {
    return notice_->revision();
}

bool ScintillaEditArea::eventFilter(QObject* watched, QEvent* event) {
    // The next input event means the previous one has been handled in full.
    // (A key's release changes nothing: the notice of the key's own change
    // is left to come after the repaint.)
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::DragEnter:
    case QEvent::Drop:
        notice_->input_arrived();
        break;
    default:
        break;
    }
    if (event->type() == QEvent::KeyPress && watched == widget_) {
        // A Ctrl key Scintilla has no command for would only type its text.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (types_with_ctrl(*key) &&
            !widget_->standardCommands()->boundTo(key->key() |
                                                  (key->modifiers() & ~Qt::KeypadModifier).toInt()))
            return true;
    }
    return EditArea::eventFilter(watched, event);
}

QString ScintillaEditArea::text() const {
    const auto [first, second] = utf8_parts();
    return utf8_units::decode(first, second);
}

QByteArray ScintillaEditArea::utf8() const {
    const auto [first, second] = utf8_parts();
    QByteArray bytes;
    bytes.reserve(first.size() + second.size());
    bytes.append(first).append(second);
    return bytes;
}

void ScintillaEditArea::set_text(const QString& text) {
    notice_->program_change([&] {
        widget_->SendScintilla(QsciScintillaBase::SCI_BEGINUNDOACTION);
        widget_->selectAll();
        widget_->replaceSelectedText(text);
        widget_->SendScintilla(QsciScintillaBase::SCI_ENDUNDOACTION);
    });
}

void ScintillaEditArea::load_text(const QString& text) {
    load_utf8(text.toUtf8());
}

void ScintillaEditArea::load_utf8(QByteArrayView utf8) {
    notice_->program_change([&] {
        // Nothing of the old or the new text goes into the undo history, which
        // starts afresh anyway: a large document is not copied for nothing.
        widget_->SendScintilla(QsciScintillaBase::SCI_SETUNDOCOLLECTION, 0UL);
        widget_->SendScintilla(QsciScintillaBase::SCI_CLEARALL);
        // Room for the text and some editing: loaded into a buffer of just
        // its size, the first edits would soon have Scintilla grow it, copying
        // the whole document (most of a second at 50 MB) in the middle of
        // typing rather than here.
        widget_->SendScintilla(QsciScintillaBase::SCI_ALLOCATE,
                               (unsigned long)(utf8.size() + utf8.size() / 6 + 4096));
        widget_->SendScintilla(QsciScintillaBase::SCI_APPENDTEXT, (unsigned long)utf8.size(),
                               utf8.data());
        widget_->SendScintilla(QsciScintillaBase::SCI_SETUNDOCOLLECTION, 1UL);
        widget_->SendScintilla(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
        // Styled before the caret is placed: placing it lays out its line.
        long_lines_->catch_up();
        widget_->SendScintilla(QsciScintillaBase::SCI_GOTOPOS, 0UL);
    });
}

void ScintillaEditArea::reload_utf8(QByteArrayView utf8) {
    notice_->program_change([&] {
        // The caret stays on its line and column where the new text has them.
        const auto caret = widget_->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS);
        const auto line = widget_->SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, caret);
        const auto column =
            caret - widget_->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, line);
        const auto first = widget_->SendScintilla(QsciScintillaBase::SCI_GETFIRSTVISIBLELINE);
        widget_->SendScintilla(QsciScintillaBase::SCI_BEGINUNDOACTION);
        widget_->SendScintilla(QsciScintillaBase::SCI_TARGETWHOLEDOCUMENT);
        widget_->SendScintilla(QsciScintillaBase::SCI_REPLACETARGET, (unsigned long)utf8.size(),
                               utf8.data());
        widget_->SendScintilla(QsciScintillaBase::SCI_ENDUNDOACTION);
        long_lines_->catch_up();
        const auto start =
            widget_->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, (unsigned long)line);
        const auto end =
            widget_->SendScintilla(QsciScintillaBase::SCI_GETLINEENDPOSITION, (unsigned long)line);
        // The line's start when it is gone or shorter; never inside a character.
        const long length = widget_->length();
        const long wanted = start < 0 ? length : std::min(start + column, end);
        widget_->SendScintilla(
            QsciScintillaBase::SCI_GOTOPOS,
            (unsigned long)(wanted >= length
                                ? length
                                : widget_->SendScintilla(QsciScintillaBase::SCI_POSITIONBEFORE,
                                                         (unsigned long)(wanted + 1))));
        widget_->SendScintilla(QsciScintillaBase::SCI_SETFIRSTVISIBLELINE, (unsigned long)first);
    });
}

QString ScintillaEditArea::selected_text() const {
    const auto start = widget_->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART);
    const auto end = widget_->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONEND);
    if (end <= start)
        return QString();
    const auto* data = reinterpret_cast<const char*>(widget_->SendScintilla(
        QsciScintillaBase::SCI_GETRANGEPOINTER, (unsigned long)start, long(end - start)));
    return utf8_units::decode(QByteArrayView(data, qsizetype(end - start)));
}

void ScintillaEditArea::replace_selection(const QString& text) {
    notice_->program_change([&] {
        widget_->SendScintilla(QsciScintillaBase::SCI_BEGINUNDOACTION);
        widget_->replaceSelectedText(text);
        widget_->SendScintilla(QsciScintillaBase::SCI_ENDUNDOACTION);
    });
}

void ScintillaEditArea::replace_bytes(qsizetype from, qsizetype to, QByteArrayView utf8) {
    notice_->program_change([&] {
        widget_->SendScintilla(QsciScintillaBase::SCI_BEGINUNDOACTION);
        widget_->SendScintilla(QsciScintillaBase::SCI_SETTARGETRANGE, (unsigned long)from,
                               long(to));
        widget_->SendScintilla(QsciScintillaBase::SCI_REPLACETARGET, (unsigned long)utf8.size(),
                               utf8.data());
        widget_->SendScintilla(QsciScintillaBase::SCI_ENDUNDOACTION);
    });
}

void ScintillaEditArea::wrap_selection(const QString& before, const QString& after) {
    const QByteArray open = before.toUtf8();
    const QByteArray close = after.toUtf8();
    notice_->program_change([&] {
        const auto start = widget_->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART);
        const auto end = widget_->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONEND);
        // Texts with their length: a NUL character inside them goes in too.
        auto insert = [this](long at, const QByteArray& text) {
            widget_->SendScintilla(QsciScintillaBase::SCI_SETTARGETRANGE, (unsigned long)at, at);
            widget_->SendScintilla(QsciScintillaBase::SCI_REPLACETARGET, (unsigned long)text.size(),
                                   text.constData());
        };
        widget_->SendScintilla(QsciScintillaBase::SCI_BEGINUNDOACTION);
        // The end first, so the start stays where it is.
        insert(end, close);
        insert(start, open);
        widget_->SendScintilla(QsciScintillaBase::SCI_GOTOPOS,
                               (unsigned long)(end + open.size() + close.size()));
        widget_->SendScintilla(QsciScintillaBase::SCI_ENDUNDOACTION);
    });
}

std::array<QByteArrayView, 2> ScintillaEditArea::utf8_parts() const {
    return EditorText(widget_).parts();
}

qsizetype ScintillaEditArea::to_characters(qsizetype byte_position) const {
    return utf8_units::to_units(utf8_parts(), byte_position);
}

qsizetype ScintillaEditArea::to_bytes(qsizetype character_position) const {
    return utf8_units::to_bytes(utf8_parts(), character_position);
}

qsizetype ScintillaEditArea::caret_byte() const {
    return qsizetype(widget_->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS));
}

qsizetype ScintillaEditArea::caret() const {
    return to_characters(caret_byte());
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

void ScintillaEditArea::set_line_break(LineBreak line_break) {
    switch (line_break) {
    case LineBreak::Lf:
        widget_->setEolMode(QsciScintilla::EolUnix);
        return;
    case LineBreak::Cr:
        widget_->setEolMode(QsciScintilla::EolMac);
        return;
    case LineBreak::CrLf:
        break;
    }
    widget_->setEolMode(QsciScintilla::EolWindows);
}

void ScintillaEditArea::set_long_lines(bool on) {
    long_lines_->set_enabled(on);
}

bool ScintillaEditArea::long_lines() const {
    return long_lines_->enabled();
}

void ScintillaEditArea::on_update_ui() {
    light_braces(widget_, utf8_parts());
    const long caret = widget_->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS);
    if (caret != last_caret_) {
        last_caret_ = caret;
        emit caret_moved();
    }
}

qsizetype ScintillaEditArea::column(qsizetype byte_position) const {
    return columns_.column(byte_position);
}
