#include "app/status_labels.h"

#include "document/document_session.h"

#include "editor/editor_text.h"
#include "editor/scintilla_edit_area.h"

#include <QFontMetrics>
#include <QLabel>
#include <QStatusBar>

StatusLabels::StatusLabels(QStatusBar* bar, ScintillaEditArea& edit, const DocumentSession& session)
    : QObject(bar), edit_(edit), session_(session), position_(new QLabel(bar)),
      form_(new QLabel(bar)) {
    position_->setObjectName(QStringLiteral("status_position"));
    form_->setObjectName(QStringLiteral("status_form"));
    bar->addPermanentWidget(position_);
    bar->addPermanentWidget(form_);
    connect(&edit, &ScintillaEditArea::caret_moved, this, &StatusLabels::show_position);
    connect(&session, &DocumentSession::changed, this, &StatusLabels::show_form);
    show_position();
    show_form();
    keep_whole(position_, QStringLiteral("Riga 999, colonna 99"));
    keep_whole(form_, QStringLiteral("UTF-8 · CRLF"));
}

void keep_whole(QLabel* label, const QString& widest) {
    const QString shown = label->text();
    label->setText(widest);
    label->setMinimumWidth(label->sizeHint().width());
    label->setText(shown);
}

void StatusLabels::show_position() {
    const EditorText reading(edit_.widget());
    const long position = reading.caret();
    const long line = reading.line_of(position);
    const auto column = edit_.column(position);
    const QString text = QStringLiteral("Riga %1, colonna %2").arg(line + 1).arg(column + 1);
    // Of a fixed size, the label changes no layout as it changes: at each key
    // only it is repainted, not the whole status bar. It grows when a text
    // needs more room, with some to spare, and never shrinks.
    const QFontMetrics metrics = position_->fontMetrics();
    if (metrics.horizontalAdvance(text) > position_->width() || position_->minimumWidth() == 0) {
        position_->setText(text);
        const QSize wanted = position_->sizeHint();
        position_->setFixedSize(wanted.width() + 2 * metrics.horizontalAdvance(u'0'),
                                wanted.height());
        return;
    }
    position_->setText(text);
}

void StatusLabels::show_form() {
    form_->setText(encoding_name(session_.encoding()) + QStringLiteral(" · ") +
                   line_break_name(session_.line_break()));
}
