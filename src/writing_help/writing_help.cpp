#include "writing_help/writing_help.h"

#include "platform/qt/editor_style.h"
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
    text.size = [editor] { return qsizetype(editor->SendScintilla(Sci::SCI_GETLENGTH)); };
    text.copy = [editor] {
        // Copied out of both halves of Scintilla's buffer: its gap stays put.
        const long length = editor->SendScintilla(Sci::SCI_GETLENGTH);
        QByteArray bytes(length, Qt::Uninitialized);
        if (length > 0)
            editor->SendScintilla(Sci::SCI_GETTEXTRANGE, 0L, length, bytes.data());
        return bytes;
    };
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
                if ((type & Sci::SC_MOD_BEFOREDELETE) && position == 0 &&
                    length == editor_->SendScintilla(Sci::SCI_GETLENGTH)) {
                    marks_->clear();
                    label_->clear();
                }
                checker_->text_changed();
            });
    connect(checker_, &PageChecker::finished, marks_, &CheckMarks::show);
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
    connect(next, &QAction::triggered, marks_, &CheckMarks::go_next);
    auto* previous = new QAction(QStringLiteral("Problema precedente"), window);
    previous->setObjectName(QStringLiteral("previous_finding"));
    previous->setShortcut(Qt::SHIFT | Qt::Key_F8);
    connect(previous, &QAction::triggered, marks_, &CheckMarks::go_previous);
    actions_ = {next, previous};
}

void WritingHelp::show_count() {
    label_->setText(finding_count_text(marks_->errors(), marks_->warnings()));
}
