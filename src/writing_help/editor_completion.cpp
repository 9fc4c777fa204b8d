#include "writing_help/editor_completion.h"

#include "editor/completion_popup.h"
#include "writing_help/vocabulary.h"

#include <QKeyEvent>
#include <Qsci/qsciscintilla.h>

namespace {

bool is_name_byte(int ch) {
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') ||
           ch == '-' || ch == '_' || ch == ':' || ch == '.';
}

} // namespace

EditorCompletion::EditorCompletion(QsciScintilla* editor)
    : QObject(editor), editor_(editor), text_(editor), popup_(new CompletionPopup(editor, this)) {
    editor_->installEventFilter(this);
    connect(popup_, &CompletionPopup::char_added, this, &EditorCompletion::on_char_added);
    pause_.setSingleShot(true);
    pause_.setInterval(kOfferDelay);
    connect(&pause_, &QTimer::timeout, this, &EditorCompletion::offer);
    connect(popup_, &CompletionPopup::char_deleted, &pause_, qOverload<>(&QTimer::start));
    connect(popup_, &CompletionPopup::chosen, this, &EditorCompletion::on_chosen);
}

bool EditorCompletion::eventFilter(QObject* watched, QEvent* event) {
    if (watched != editor_ || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const QString text = static_cast<QKeyEvent*>(event)->text();
    if (text.size() != 1 || !text_.selection_empty())
        return false;
    const char typed = text.at(0).toLatin1();
    const long at = text_.caret();
    // Typing on the end tag just written: the same letters step over it.
    if (!written_.isEmpty()) {
        const bool same =
            at == written_end_ && text_.length() == written_length_ &&
            QChar::fromLatin1(typed).toLower() == QChar::fromLatin1(written_.front()).toLower();
        if (same) {
            written_.remove(0, 1);
            return true;
        }
        written_.clear();
    }
    // Typing the quote that closes a value where that quote stands already
    // (written with the attribute) steps over it.
    if ((typed == '"' || typed == '\'') && text_.byte_at(at) == typed) {
        const CompletionContext context = completion_context(text_.before_caret(kContextWindow));
        if (context.kind == CompletionContext::Kind::Value && context.quote == typed) {
            popup_->close();
            popup_->step_over();
            return true;
        }
    }
    return false;
}

void EditorCompletion::on_char_added(int ch) {
    // Only where one caret types with nothing selected.
    if (!text_.one_empty_selection())
        return;
    if (ch == '/') {
        close_tag();
        return;
    }
    if (is_name_byte(ch) || ch == ' ' || ch == '\t' || ch == '"' || ch == '\'' || ch >= 0x80 ||
        popup_->shown())
        pause_.start();
}

void EditorCompletion::offer() {
    const CompletionContext context = completion_context(text_.before_caret(kContextWindow));
    const QStringList items = completion_items(context);
    if (items.isEmpty()) {
        if (popup_->shown())
            popup_->close();
        return;
    }
    shown_ = context;
    popup_->show(context.prefix.size(), items);
}

void EditorCompletion::close_tag() {
    // Only "/" right after "<", and not where the user is rewriting an end
    // tag that is there already.
    const long at = text_.caret();
    const int next = text_.byte_at(at);
    if (at < 2 || text_.byte_at(at - 2) != '<' || is_name_byte(next) || next == '>')
        return;
    const QByteArray before = text_.before_caret(kOpenElementWindow + 2);
    const QByteArray name = open_element_before(QByteArrayView(before).chopped(2));
    if (name.isEmpty())
        return;
    const QByteArray rest = name + '>';
    popup_->write(at, at, rest, at + rest.size());
    // Who goes on typing the end tag by hand types over what was written.
    written_ = rest;
    written_end_ = at + rest.size();
    written_length_ = text_.length();
}

void EditorCompletion::on_chosen(const QByteArray& item, long start) {
    // Written here rather than by Scintilla: an attribute comes with its
    // quotes, a value steps over its closing quote.
    const CompletionContext context = shown_;
    popup_->close();
    const long end = text_.caret();
    const int next = text_.byte_at(end);
    QByteArray insert = item;
    qsizetype caret_after = item.size();
    bool values_next = false;
    if (context.kind == CompletionContext::Kind::Attribute &&
        !vocabulary::is_boolean_attribute(item) && next != '=') {
        insert += "=\"\"";
        caret_after += 2;
        values_next = true;
    } else if (context.kind == CompletionContext::Kind::Value && next == context.quote) {
        caret_after += 1;
    }
    popup_->write(start, end, insert, start + caret_after);
    // Once Scintilla is done with this list: a list shown from inside its
    // notice would be taken for this one.
    if (values_next)
        QMetaObject::invokeMethod(this, &EditorCompletion::offer, Qt::QueuedConnection);
}
