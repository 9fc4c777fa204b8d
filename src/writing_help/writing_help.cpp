#include "writing_help/writing_help.h"

#include "editor/editor_document.h"
#include "editor/editor_style.h"
#include "editor/editor_text.h"
#include "editor/scintilla_edit_area.h"
#include "writing_help/check_marks.h"
#include "writing_help/editor_completion.h"
#include "writing_help/page_checker.h"

#include <QAction>
#include <QLabel>
#include <Qsci/qsciscintilla.h>

WritingHelp::WritingHelp(EditorDocument& document, QWidget* window)
    : QObject(document.edit_area().widget()), document_(document),
      editor_(document.edit_area().widget()), completion_(new EditorCompletion(editor_)),
      marks_(new CheckMarks(editor_)) {
    PageChecker::Text text;
    text.size = [&document] { return document.size(); };
    text.copy = [editor = editor_] { return EditorText(editor).all(); };
    text.file = [&document] { return document.form().encoding; };
    checker_ = new PageChecker(std::move(text), kHighlightLimit, this);

    label_ = new QLabel(window);
    label_->setObjectName(QStringLiteral("status_check"));
    label_->setToolTip(QStringLiteral("Controllo della pagina: F8 va al problema successivo, "
                                      "Maiusc+F8 al precedente"));

    connect(&document_, &EditorDocument::changed, this, &WritingHelp::text_changed);
    connect(checker_, &PageChecker::finished, marks_, &CheckMarks::show);
    connect(checker_, &PageChecker::finished, this, [this] {
        // F8 asked for the check: it goes on to the finding it asked for.
        if (asked_ != 0)
            asked_ > 0 ? marks_->go_next() : marks_->go_previous();
        asked_ = 0;
    });
    connect(checker_, &PageChecker::skipped, this, [this](PageChecker::Skip why) {
        marks_->clear();
        label_->setText(why == PageChecker::Skip::TooLarge
                            ? QStringLiteral("Pagina troppo grande: non controllata")
                        : why == PageChecker::Skip::TooDeep
                            ? QStringLiteral("Pagina troppo annidata: non controllata")
                            : QStringLiteral("Memoria insufficiente: pagina non controllata"));
    });
    connect(marks_, &CheckMarks::changed, this, &WritingHelp::show_count);

    auto* next = new QAction(QStringLiteral("Problema successivo"), window);
    next->setObjectName(QStringLiteral("next_finding"));
    next->setShortcut(Qt::Key_F8);
    connect(next, &QAction::triggered, this, [this] { go(+1); });
    auto* previous = new QAction(QStringLiteral("Problema precedente"), window);
    previous->setObjectName(QStringLiteral("previous_finding"));
    previous->setShortcut(Qt::SHIFT | Qt::Key_F8);
    connect(previous, &QAction::triggered, this, [this] { go(-1); });
    actions_ = {next, previous};
}

void WritingHelp::file_changed() {
    // A page waiting for its first edit or F8 is checked in the file's form
    // of that moment.
    if (!waiting_)
        checker_->file_changed();
}

void WritingHelp::text_changed(qsizetype position, qsizetype removed, qsizetype added) {
    // The whole text gave way (a file opened in its place): its marks and
    // its count go with it.
    const bool whole = position == 0 && added == document_.size();
    if (whole && removed > 0) {
        marks_->clear();
        label_->clear();
    }
    // A whole text arriving: a page opened (or pasted) rather than typed.
    if (whole && added > kCheckOnArrivalLimit && added <= kHighlightLimit) {
        // Checked when the user edits it, or asks with F8.
        checker_->text_replaced();
        waiting_ = true;
        label_->setText(QStringLiteral("Controllo alla prima modifica o con F8"));
        return;
    }
    waiting_ = false;
    asked_ = 0; // an edit meanwhile: no jump when its check ends
    checker_->text_changed();
}

void WritingHelp::go(int direction) {
    if (!waiting_) {
        direction > 0 ? marks_->go_next() : marks_->go_previous();
        return;
    }
    waiting_ = false;
    asked_ = direction;
    label_->setText(QStringLiteral("Controllo in corso…"));
    checker_->check_now();
}

void WritingHelp::show_count() {
    label_->setText(finding_count_text(marks_->errors(), marks_->warnings()));
}
