#include "app/find_bar.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>
#include <Qsci/qsciscintilla.h>

namespace {

using Sci = QsciScintillaBase;

// Scintilla counts UTF-8 bytes, the search counts UTF-16 units. The editor
// keeps an index of each line's start in UTF-16 units (allocated by the bar),
// so a conversion only walks within one line.
bool has_utf16_index(const QsciScintilla* editor) {
    return (editor->SendScintilla(Sci::SCI_GETLINECHARACTERINDEX) &
            Sci::SC_LINECHARACTERINDEX_UTF16) != 0;
}

long to_bytes(const QsciScintilla* editor, qsizetype units) {
    if (units <= 0)
        return 0;
    long base = 0;
    long delta = long(units);
    if (has_utf16_index(editor)) {
        const long line =
            editor->SendScintilla(Sci::SCI_LINEFROMINDEXPOSITION, (unsigned long)units,
                                  long(Sci::SC_LINECHARACTERINDEX_UTF16));
        base = editor->SendScintilla(Sci::SCI_POSITIONFROMLINE, (unsigned long)line);
        delta -= editor->SendScintilla(Sci::SCI_INDEXPOSITIONFROMLINE, (unsigned long)line,
                                       long(Sci::SC_LINECHARACTERINDEX_UTF16));
    }
    if (delta <= 0)
        return base;
    const long position =
        editor->SendScintilla(Sci::SCI_POSITIONRELATIVECODEUNITS, (unsigned long)base, delta);
    // Scintilla answers 0 for a position beyond the end.
    return position == 0 ? editor->SendScintilla(Sci::SCI_GETLENGTH) : position;
}

qsizetype to_units(const QsciScintilla* editor, long bytes) {
    if (bytes <= 0)
        return 0;
    long line_start = 0;
    qsizetype base = 0;
    if (has_utf16_index(editor)) {
        const long line = editor->SendScintilla(Sci::SCI_LINEFROMPOSITION, (unsigned long)bytes);
        line_start = editor->SendScintilla(Sci::SCI_POSITIONFROMLINE, (unsigned long)line);
        base = editor->SendScintilla(Sci::SCI_INDEXPOSITIONFROMLINE, (unsigned long)line,
                                     long(Sci::SC_LINECHARACTERINDEX_UTF16));
    }
    return base + editor->SendScintilla(Sci::SCI_COUNTCODEUNITS, (unsigned long)line_start, bytes);
}

long selection_start(const QsciScintilla* editor) {
    return editor->SendScintilla(Sci::SCI_GETSELECTIONSTART);
}

long selection_end(const QsciScintilla* editor) {
    return editor->SendScintilla(Sci::SCI_GETSELECTIONEND);
}

// Replaces bytes [start, end) by `text`; the length of what went in, in bytes.
long replace_range(QsciScintilla* editor, long start, long end, const QByteArray& text) {
    editor->SendScintilla(Sci::SCI_SETTARGETRANGE, (unsigned long)start, end);
    return editor->SendScintilla(Sci::SCI_REPLACETARGET, uintptr_t(text.size()), text.constData());
}

QToolButton* make_button(const QString& name, const QString& text, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(text);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return button;
}

// A one-line selection short enough to be what the user wants to look for.
bool good_seed(const QString& text) {
    return !text.isEmpty() && text.size() <= 200 && !text.contains(u'\n') && !text.contains(u'\r');
}

} // namespace

FindBar::FindBar(QsciScintilla* editor)
    : QWidget(editor->parentWidget() ? editor->parentWidget() : editor), editor_(editor) {
    setObjectName(QStringLiteral("find_bar"));
    build();
    // Any notice of a change, sent before or after it (whichever the editor sends).
    connect(editor, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int, int, const char*, int, int, int, int, int, int, int) {
                text_cache_valid_ = false;
            });

    attach();
    hide();
}

FindBar::~FindBar() {
    // A bar lying over its editor dies with it, after the editor's own parts.
    if (!overlay_ && editor_) {
        editor_->removeEventFilter(this);
        hold_index(false);
    }
}

void FindBar::hold_index(bool hold) {
    // Kept only while the bar is open: the editor keeps it up to date at
    // every change, and building it walks the whole text, which opening a
    // large document should not pay for.
    if (hold == index_held_ || !editor_)
        return;
    editor_->SendScintilla(hold ? Sci::SCI_ALLOCATELINECHARACTERINDEX
                                : Sci::SCI_RELEASELINECHARACTERINDEX,
                           (unsigned long)Sci::SC_LINECHARACTERINDEX_UTF16);
    index_held_ = hold;
}

void FindBar::build() {
    setAutoFillBackground(true);
    grid_ = new QGridLayout(this);
    grid_->setContentsMargins(4, 2, 4, 2);
    grid_->setHorizontalSpacing(4);
    grid_->setVerticalSpacing(2);

    find_text_ = new QLineEdit(this);
    find_text_->setObjectName(QStringLiteral("find_text"));
    find_text_->setPlaceholderText(QStringLiteral("Trova"));
    find_text_->setAccessibleName(QStringLiteral("Testo da cercare"));
    find_text_->setClearButtonEnabled(true);
    setFocusProxy(find_text_);
    previous_button_ = make_button(QStringLiteral("find_previous_button"),
                                   QStringLiteral("Trova precedente"), this);
    next_button_ =
        make_button(QStringLiteral("find_next_button"), QStringLiteral("Trova successivo"), this);
    close_button_ = new QToolButton(this);
    close_button_->setObjectName(QStringLiteral("close_button"));
    close_button_->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    close_button_->setToolTip(QStringLiteral("Chiudi (Esc)"));
    close_button_->setAccessibleName(QStringLiteral("Chiudi"));
    close_button_->setAutoRaise(true);

    replace_text_ = new QLineEdit(this);
    replace_text_->setObjectName(QStringLiteral("replace_text"));
    replace_text_->setPlaceholderText(QStringLiteral("Sostituisci con"));
    replace_text_->setAccessibleName(QStringLiteral("Testo sostitutivo"));
    replace_button_ =
        make_button(QStringLiteral("replace_button"), QStringLiteral("Sostituisci"), this);
    replace_all_button_ = make_button(QStringLiteral("replace_all_button"),
                                      QStringLiteral("Sostituisci tutto"), this);

    checks_ = new QWidget(this);
    checks_row_ = new QHBoxLayout(checks_);
    checks_row_->setContentsMargins(0, 0, 0, 0);
    case_check_ = new QCheckBox(QStringLiteral("Maiuscole/minuscole"), checks_);
    case_check_->setObjectName(QStringLiteral("case_check"));
    word_check_ = new QCheckBox(QStringLiteral("Parola intera"), checks_);
    word_check_->setObjectName(QStringLiteral("word_check"));
    checks_row_->addWidget(case_check_);
    checks_row_->addWidget(word_check_);
    checks_row_->addStretch(1);
    status_label_ = new QLabel(this);
    status_label_->setObjectName(QStringLiteral("status_label"));

    connect(find_text_, &QLineEdit::textEdited, this, &FindBar::on_search_edited);
    connect(find_text_, &QLineEdit::returnPressed, this, [this] {
        if (QApplication::keyboardModifiers() & Qt::ShiftModifier)
            find_previous();
        else
            find_next();
    });
    connect(replace_text_, &QLineEdit::returnPressed, this, &FindBar::replace);
    connect(next_button_, &QToolButton::clicked, this, &FindBar::find_next);
    connect(previous_button_, &QToolButton::clicked, this, &FindBar::find_previous);
    connect(replace_button_, &QToolButton::clicked, this, &FindBar::replace);
    connect(replace_all_button_, &QToolButton::clicked, this, &FindBar::replace_all);
    connect(close_button_, &QToolButton::clicked, this, &FindBar::close_bar);
    for (QCheckBox* box : {case_check_, word_check_})
        connect(box, &QCheckBox::toggled, this, [this] { show_status({}); });

    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, &FindBar::close_bar);

    arrange(false);
    set_replace_mode(false);
}

QString FindBar::search_text() const {
    return find_text_->text();
}

void FindBar::set_search_text(const QString& text) {
    find_text_->setText(text);
}

void FindBar::set_replacement_text(const QString& text) {
    replace_text_->setText(text);
}

FindOptions FindBar::options() const {
    return {case_check_->isChecked(), word_check_->isChecked()};
}

QString FindBar::status_text() const {
    return status_label_->text();
}

void FindBar::set_replace_mode(bool on) {
    replace_mode_ = on;
    replace_text_->setVisible(on);
    replace_button_->setVisible(on);
    replace_all_button_->setVisible(on);
    if (docked_)
        place();
    else if (isVisible() && overlay_)
        dock();
}

void FindBar::open_find() {
    open(false);
}

void FindBar::open_replace() {
    open(true);
}

void FindBar::open(bool replace) {
    if (!editor_)
        return;
    hold_index(true);
    if (const QString selected = editor_->selectedText(); good_seed(selected))
        find_text_->setText(selected);
    search_origin_ = to_units(editor_, selection_start(editor_));
    set_replace_mode(replace);
    show_status({});
    show();
    raise();
    find_text_->setFocus(Qt::ShortcutFocusReason);
    find_text_->selectAll();
}

void FindBar::close_bar() {
    hide();
    hold_index(false);
    if (editor_)
        editor_->setFocus(Qt::OtherFocusReason);
    emit closed();
}

const QString& FindBar::document_text() {
    if (!text_cache_valid_) {
        text_cache_ = editor_->text();
        text_cache_valid_ = true;
    }
    return text_cache_;
}

void FindBar::show_status(const QString& text, bool failed) {
    status_label_->setText(text);
    QPalette palette; // nothing set: the field looks as usual
    if (failed)
        palette.setColor(QPalette::Base, QColor(255, 214, 214));
    find_text_->setPalette(palette);
}

bool FindBar::select_match(const std::optional<TextMatch>& match, const QString& wrap_notice) {
    if (!match) {
        show_status(QStringLiteral("Nessun risultato"), true);
        return false;
    }
    const long start = to_bytes(editor_, match->start);
    const long end = to_bytes(editor_, match->end());
    const long line = editor_->SendScintilla(Sci::SCI_LINEFROMPOSITION, (unsigned long)start);
    editor_->SendScintilla(Sci::SCI_ENSUREVISIBLEENFORCEPOLICY, (unsigned long)line);
    editor_->SendScintilla(Sci::SCI_SETSEL, (unsigned long)start, end);
    editor_->SendScintilla(Sci::SCI_SCROLLCARET);
    show_status(match->wrapped ? wrap_notice : QString());
    return true;
}

void FindBar::on_search_edited() {
    if (!editor_)
        return;
    if (search_text().isEmpty()) {
        show_status({});
        return;
    }
    select_match(::find_next(document_text(), search_text(), search_origin_, options()),
                 QStringLiteral("Ricerca ripresa dall'inizio"));
}

bool FindBar::find_next() {
    return find(true);
}

bool FindBar::find_previous() {
    return find(false);
}

bool FindBar::find(bool forward) {
    if (!editor_)
        return false;
    if (search_text().isEmpty()) {
        open_find();
        return false;
    }
    show();
    const auto match =
        forward ? ::find_next(document_text(), search_text(),
                              to_units(editor_, selection_end(editor_)), options())
                : ::find_previous(document_text(), search_text(),
                                  to_units(editor_, selection_start(editor_)), options());
    if (match)
        search_origin_ = match->start;
    return select_match(match, forward ? QStringLiteral("Ricerca ripresa dall'inizio")
                                       : QStringLiteral("Ricerca ripresa dalla fine"));
}

bool FindBar::replace() {
    if (!editor_ || search_text().isEmpty() || editor_->isReadOnly())
        return false;
    const long start = selection_start(editor_);
    const long end = selection_end(editor_);
    const qsizetype start_units = to_units(editor_, start);
    const bool selection_matches =
        to_units(editor_, end) - start_units == search_text().size() &&
        matches_at(document_text(), search_text(), start_units, options());
    if (selection_matches) {
        editor_->SendScintilla(Sci::SCI_BEGINUNDOACTION);
        const long length = replace_range(editor_, start, end, replace_text_->text().toUtf8());
        editor_->SendScintilla(Sci::SCI_ENDUNDOACTION);
        editor_->SendScintilla(Sci::SCI_GOTOPOS, (unsigned long)(start + length));
    }
    find_next();
    return selection_matches;
}

qsizetype FindBar::replace_all() {
    if (!editor_ || search_text().isEmpty() || editor_->isReadOnly())
        return 0;
    const QString needle = search_text();
    const QString replacement = replace_text_->text();
    const QString& text = document_text();
    const QList<qsizetype> starts = find_all(text, needle, options());
    if (starts.isEmpty()) {
        show_status(QStringLiteral("Nessun risultato"), true);
        return 0;
    }
    // The span from the first match to the end of the last one is replaced
    // in one piece: one change of the text, one undo step. (Replacing match
    // by match costs QScintilla a walk from the start of the text each time.)
    const qsizetype first = starts.front();
    const qsizetype last_end = starts.back() + needle.size();
    QString span;
    span.reserve(last_end - first + starts.size() * (replacement.size() - needle.size()));
    qsizetype copied = first;
    for (const qsizetype start : starts) {
        span.append(QStringView(text).sliced(copied, start - copied));
        span.append(replacement);
        copied = start + needle.size();
    }
    const qsizetype caret = to_units(editor_, editor_->SendScintilla(Sci::SCI_GETCURRENTPOS));
    const long top_line = editor_->SendScintilla(Sci::SCI_GETFIRSTVISIBLELINE);
    const long x_offset = editor_->SendScintilla(Sci::SCI_GETXOFFSET);

    editor_->SendScintilla(Sci::SCI_BEGINUNDOACTION);
    replace_range(editor_, to_bytes(editor_, first), to_bytes(editor_, last_end), span.toUtf8());
    editor_->SendScintilla(Sci::SCI_ENDUNDOACTION);

    // The caret stays by the text it was in; the view does not move.
    const qsizetype new_caret =
        position_after_replace(caret, starts, needle.size(), replacement.size());
    editor_->SendScintilla(Sci::SCI_SETEMPTYSELECTION, (unsigned long)to_bytes(editor_, new_caret));
    editor_->SendScintilla(Sci::SCI_SETFIRSTVISIBLELINE, (unsigned long)top_line);
    editor_->SendScintilla(Sci::SCI_SETXOFFSET, (unsigned long)x_offset);
    show_status(starts.size() == 1 ? QStringLiteral("1 sostituzione")
                                   : QStringLiteral("%1 sostituzioni").arg(starts.size()));
    return starts.size();
}

void install_find_shortcuts(QWidget* window, FindBar* bar) {
    struct ActionDef {
        const char* name;
        QString text;
        QKeySequence keys;
        void (FindBar::*run)();
    };
    const ActionDef defs[] = {
        {"find_action", QStringLiteral("Trova..."), QKeySequence(Qt::CTRL | Qt::Key_F),
         &FindBar::open_find},
        {"replace_action", QStringLiteral("Sostituisci..."), QKeySequence(Qt::CTRL | Qt::Key_H),
         &FindBar::open_replace},
    };
    for (const ActionDef& def : defs) {
        auto* action = new QAction(def.text, window);
        action->setObjectName(QString::fromLatin1(def.name));
        action->setShortcut(def.keys);
        action->setShortcutContext(Qt::WindowShortcut);
        QObject::connect(action, &QAction::triggered, bar, def.run);
        window->addAction(action);
    }
    auto* next = new QAction(QStringLiteral("Trova successivo"), window);
    next->setObjectName(QStringLiteral("find_next_action"));
    next->setShortcut(QKeySequence(Qt::Key_F3));
    QObject::connect(next, &QAction::triggered, bar, &FindBar::find_next);
    auto* previous = new QAction(QStringLiteral("Trova precedente"), window);
    previous->setObjectName(QStringLiteral("find_previous_action"));
    previous->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));
    QObject::connect(previous, &QAction::triggered, bar, &FindBar::find_previous);
    for (QAction* action : {next, previous}) {
        action->setShortcutContext(Qt::WindowShortcut);
        window->addAction(action);
    }
}
