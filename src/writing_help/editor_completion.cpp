#include "writing_help/editor_completion.h"

#include "writing_help/vocabulary.h"

#include <QKeyEvent>
#include <Qsci/qsciscintilla.h>

namespace {

using Sci = QsciScintillaBase;

bool is_name_byte(int ch) {
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') ||
           ch == '-' || ch == '_' || ch == ':' || ch == '.';
}

} // namespace

EditorCompletion::EditorCompletion(QsciScintilla* editor) : QObject(editor), editor_(editor) {
    editor_->SendScintilla(Sci::SCI_AUTOCSETIGNORECASE, 1UL);
    editor_->SendScintilla(Sci::SCI_AUTOCSETAUTOHIDE, 1UL);
    editor_->SendScintilla(Sci::SCI_AUTOCSETCHOOSESINGLE, 0UL);
    editor_->SendScintilla(Sci::SCI_AUTOCSETDROPRESTOFWORD, 0UL);
    editor_->SendScintilla(Sci::SCI_AUTOCSETMAXHEIGHT, 10UL);
    editor_->SendScintilla(Sci::SCI_AUTOCSETSEPARATOR, (unsigned long)'\n');
    editor_->installEventFilter(this);
    connect(editor_, &Sci::SCN_CHARADDED, this, &EditorCompletion::on_char_added);
    pause_.setSingleShot(true);
    pause_.setInterval(kOfferDelay);
    connect(&pause_, &QTimer::timeout, this, &EditorCompletion::offer);
    connect(editor_, &Sci::SCN_AUTOCCHARDELETED, &pause_, qOverload<>(&QTimer::start));
    connect(editor_, qOverload<const char*, int>(&Sci::SCN_AUTOCSELECTION), this,
            &EditorCompletion::on_selection);
}

bool EditorCompletion::eventFilter(QObject* watched, QEvent* event) {
    if (watched != editor_ || event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const QString text = static_cast<QKeyEvent*>(event)->text();
    if (text.size() != 1 || !editor_->SendScintilla(Sci::SCI_GETSELECTIONEMPTY))
        return false;
    const char typed = text.at(0).toLatin1();
    const long at = caret();
    // Typing on the end tag just written: the same letters step over it.
    if (!written_.isEmpty()) {
        const bool same =
            at == written_end_ && editor_->SendScintilla(Sci::SCI_GETLENGTH) == written_length_ &&
            QChar::fromLatin1(typed).toLower() == QChar::fromLatin1(written_.front()).toLower();
        if (same) {
            written_.remove(0, 1);
            return true;
        }
        written_.clear();
    }
    // Typing the quote that closes a value where that quote stands already
    // (written with the attribute) steps over it.
    if ((typed == '"' || typed == '\'') &&
        editor_->SendScintilla(Sci::SCI_GETCHARAT, (unsigned long)at) == typed) {
        const CompletionContext context = completion_context(text_before_caret(kContextWindow));
        if (context.kind == CompletionContext::Kind::Value && context.quote == typed) {
            editor_->SendScintilla(Sci::SCI_AUTOCCANCEL);
            editor_->SendScintilla(Sci::SCI_CHARRIGHT);
            return true;
        }
    }
    return false;
}

long EditorCompletion::caret() const {
    return editor_->SendScintilla(Sci::SCI_GETCURRENTPOS);
}

QByteArray EditorCompletion::text_before_caret(qsizetype length) const {
    const long end = caret();
    const long start = std::max(0L, end - long(length));
    QByteArray text(end - start, Qt::Uninitialized);
    if (!text.isEmpty())
        editor_->SendScintilla(Sci::SCI_GETTEXTRANGE, start, end, text.data());
    return text;
}

void EditorCompletion::on_char_added(int ch) {
    // Only where one caret types with nothing selected.
    if (editor_->SendScintilla(Sci::SCI_GETSELECTIONS) != 1 ||
        editor_->SendScintilla(Sci::SCI_GETSELECTIONEMPTY) == 0)
        return;
    if (ch == '/') {
        close_tag();
        return;
    }
    if (is_name_byte(ch) || ch == ' ' || ch == '\t' || ch == '"' || ch == '\'' || ch >= 0x80 ||
        editor_->SendScintilla(Sci::SCI_AUTOCACTIVE))
        pause_.start();
}

void EditorCompletion::offer() {
    const CompletionContext context = completion_context(text_before_caret(kContextWindow));
    const QStringList items = completion_items(context);
    if (items.isEmpty()) {
        if (editor_->SendScintilla(Sci::SCI_AUTOCACTIVE))
            editor_->SendScintilla(Sci::SCI_AUTOCCANCEL);
        return;
    }
    shown_ = context;
    const QByteArray list = items.join(u'\n').toUtf8();
    editor_->SendScintilla(Sci::SCI_AUTOCSHOW, (unsigned long)context.prefix.size(),
                           list.constData());
}

void EditorCompletion::close_tag() {
    // Only "/" right after "<", and not where the user is rewriting an end
    // tag that is there already.
    const long at = caret();
    const int next = int(editor_->SendScintilla(Sci::SCI_GETCHARAT, (unsigned long)at));
    if (at < 2 || editor_->SendScintilla(Sci::SCI_GETCHARAT, (unsigned long)(at - 2)) != '<' ||
        is_name_byte(next) || next == '>')
        return;
    const QByteArray before = text_before_caret(kOpenElementWindow + 2);
    const QByteArray name = open_element_before(QByteArrayView(before).chopped(2));
    if (name.isEmpty())
        return;
    const QByteArray rest = name + '>';
    editor_->SendScintilla(Sci::SCI_BEGINUNDOACTION);
    editor_->SendScintilla(Sci::SCI_INSERTTEXT, (unsigned long)at, rest.constData());
    editor_->SendScintilla(Sci::SCI_GOTOPOS, (unsigned long)(at + rest.size()));
    editor_->SendScintilla(Sci::SCI_ENDUNDOACTION);
    // Who goes on typing the end tag by hand types over what was written.
    written_ = rest;
    written_end_ = at + rest.size();
    written_length_ = editor_->SendScintilla(Sci::SCI_GETLENGTH);
}

void EditorCompletion::on_selection(const char* text, int position) {
    // Written here rather than by Scintilla: an attribute comes with its
    // quotes, a value steps over its closing quote.
    const QByteArray item(text);
    const CompletionContext context = shown_;
    editor_->SendScintilla(Sci::SCI_AUTOCCANCEL);
    const long end = caret();
    const int next = int(editor_->SendScintilla(Sci::SCI_GETCHARAT, (unsigned long)end));
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
    editor_->SendScintilla(Sci::SCI_BEGINUNDOACTION);
    editor_->SendScintilla(Sci::SCI_SETTARGETRANGE, (unsigned long)position, end);
    editor_->SendScintilla(Sci::SCI_REPLACETARGET, (unsigned long)insert.size(),
                           insert.constData());
    editor_->SendScintilla(Sci::SCI_GOTOPOS, (unsigned long)(position + caret_after));
    editor_->SendScintilla(Sci::SCI_ENDUNDOACTION);
    // Once Scintilla is done with this list: a list shown from inside its
    // notice would be taken for this one.
    if (values_next)
        QMetaObject::invokeMethod(this, &EditorCompletion::offer, Qt::QueuedConnection);
}
