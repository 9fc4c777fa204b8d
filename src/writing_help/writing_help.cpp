#include "writing_help/writing_help.h"

#include "editor/editor_style.h"
#include "editor/editor_text.h"
#include "writing_help/check_marks.h"
#include "writing_help/editor_completion.h"
#include "writing_help/page_checker.h"

#include <QAction>
#include <QLabel>
#include <Qsci/qsciscintilla.h>

namespace {

using Sci = QsciScintillaBase;

constexpr int kTextChanges = Sci::SC_MOD_INSERTTEXT | Sci::SC_MOD_DELETETEXT |
                             Sci::SC_MOD_BEFOREINSERT | Sci::SC_MOD_BEFOREDELETE;

} // namespace

WritingHelp::WritingHelp(QsciScintilla* editor, QWidget* window,
                         std::function<Encoding()> file_encoding)
    : QObject(editor), editor_(editor), completion_(new EditorCompletion(editor)),
      marks_(new CheckMarks(editor)) {
    PageChecker::Text text;
    text.size = [editor] { return qsizetype(EditorText(editor).length()); };
    text.copy = [editor] { return EditorText(editor).all(); };
    text.file = std::move(file_encoding);
    checker_ = new PageChecker(std::move(text), kHighlightLimit, this);

    label_ = new QLabel(window);
    label_->setObjectName(QStringLiteral("status_check"));
    label_->setToolTip(QStringLiteral("Controllo della pagina: F8 va al problema successivo, "
                                      "Maiusc+F8 al precedente"));

    connect(editor_, &Sci::SCN_MODIFIED, this,
            [this](int position, int type, const char*, int length, int, int, int, int, int, int) {
                if (!(type & kTextChanges))
                    return;
                // The whole text going (a file opened in its place): its marks
                // and its count go with it.
                const long size = editor_->SendScintilla(Sci::SCI_GETLENGTH);
                if ((type & Sci::SC_MOD_BEFOREDELETE) && position == 0 && length == size) {
                    marks_->clear();
                    label_->clear();
                }
                // A whole text arriving in an empty editor: a page opened (or
                // pasted) rather than typed.
                const bool arrived =
                    position == 0 && (((type & Sci::SC_MOD_BEFOREINSERT) && size == 0) ||
                                      ((type & Sci::SC_MOD_INSERTTEXT) && length == size));
                if (arrived && length > kCheckOnArrivalLimit && length <= kHighlightLimit) {
                    // Checked when the user edits it, or asks with F8.
                    checker_->text_replaced();
                    waiting_ = true;
                    label_->setText(QStringLiteral("Controllo alla prima modifica o con F8"));
                    return;
                }
                waiting_ = false;
                asked_ = 0; // an edit meanwhile: no jump when its check ends
                checker_->text_changed();
            });
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
