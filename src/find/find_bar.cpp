#include "find/find_bar.h"

#include "find/editor_search.h"

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

FindBar::FindBar(ScintillaEditArea& edit)
    : QWidget(edit.widget()->parentWidget() ? edit.widget()->parentWidget() : edit.widget()),
      editor_(edit.widget()), search_(std::make_unique<EditorSearch>(edit)) {
    setObjectName(QStringLiteral("find_bar"));
    build();
    attach();
    hide();
}

FindBar::~FindBar() {
    // A bar lying over its editor dies with it, after the editor's own parts.
    if (!overlay_ && editor_)
        search_->hold_index(false);
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
    setFocusProxy(find_text_);
    previous_button_ = make_button(QStringLiteral("find_previous_button"),
                                   QStringLiteral("Trova precedente"), this);
    next_button_ =
        make_button(QStringLiteral("find_next_button"), QStringLiteral("Trova successivo"), this);
    close_button_ = new QToolButton(this);
    close_button_->setObjectName(QStringLiteral("close_button"));
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

    // Tab: the texts to look for and to put in their place, then the buttons.
    QWidget* const order[] = {find_text_,   replace_text_,   previous_button_,
                              next_button_, replace_button_, replace_all_button_,
                              case_check_,  word_check_,     close_button_};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

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
    if (docked())
        strips_->update();
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
    // The close and clear pictures come from the icon theme, whose lookup
    // walks the theme folders: done at the first opening, not when the
    // window starts.
    if (close_button_->icon().isNull()) {
        close_button_->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
        find_text_->setClearButtonEnabled(true);
    }
    search_->hold_index(true);
    if (const QString selected = editor_->selectedText(); good_seed(selected))
        find_text_->setText(selected);
    search_origin_ = search_->selection_start();
    set_replace_mode(replace);
    show_status({});
    show();
    raise();
    find_text_->setFocus(Qt::ShortcutFocusReason);
    find_text_->selectAll();
}

void FindBar::close_bar() {
    hide();
    search_->hold_index(false);
    if (editor_)
        editor_->setFocus(Qt::OtherFocusReason);
    emit closed();
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
    search_->select(*match);
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
    select_match(::find_next(search_->text(), search_text(), search_origin_, options()),
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
        forward ? ::find_next(search_->text(), search_text(), search_->selection_end(), options())
                : ::find_previous(search_->text(), search_text(), search_->selection_start(),
                                  options());
    if (match)
        search_origin_ = match->start;
    return select_match(match, forward ? QStringLiteral("Ricerca ripresa dall'inizio")
                                       : QStringLiteral("Ricerca ripresa dalla fine"));
}

bool FindBar::replace() {
    if (!editor_ || search_text().isEmpty() || editor_->isReadOnly())
        return false;
    const bool replaced =
        search_->replace_selection(search_text(), replace_text_->text(), options());
    find_next();
    return replaced;
}

qsizetype FindBar::replace_all() {
    if (!editor_ || search_text().isEmpty() || editor_->isReadOnly())
        return 0;
    const qsizetype count = search_->replace_all(search_text(), replace_text_->text(), options());
    if (count == 0)
        show_status(QStringLiteral("Nessun risultato"), true);
    else
        show_status(count == 1 ? QStringLiteral("1 sostituzione")
                               : QStringLiteral("%1 sostituzioni").arg(count));
    return count;
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
