// Where the find bar sits: below its editor, in the editor's layout or by
// geometry, and how its controls are arranged for the width it gets.

#include "find/find_bar.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace {

// The vertical box layout, anywhere under `layout`, that holds `widget`.
QBoxLayout* box_holding(QLayout* layout, QWidget* widget) {
    if (!layout)
        return nullptr;
    auto* box = qobject_cast<QBoxLayout*>(layout);
    if (box && box->indexOf(widget) >= 0)
        return box->direction() == QBoxLayout::TopToBottom ? box : nullptr;
    for (int i = 0; i < layout->count(); ++i) {
        if (QBoxLayout* inner = box_holding(layout->itemAt(i)->layout(), widget))
            return inner;
    }
    return nullptr;
}

} // namespace

void FindBar::attach() {
    overlay_ = parentWidget() == editor_.data();
    if (QBoxLayout* box = overlay_ ? nullptr : box_holding(parentWidget()->layout(), editor_)) {
        in_layout_ = true;
        box->insertWidget(box->indexOf(editor_) + 1, this);
    } else if (!overlay_) {
        strips_ = EditorStrips::of(editor_);
    }
}

int FindBar::wide_width() const {
    const int spacing = grid_->horizontalSpacing();
    const int buttons = previous_button_->sizeHint().width() + next_button_->sizeHint().width() +
                        close_button_->sizeHint().width();
    const int longest_status = status_label_->fontMetrics().horizontalAdvance(
        QStringLiteral("Ricerca ripresa dall'inizio"));
    const int row_of_options = checks_->sizeHint().width() + spacing + longest_status;
    const QMargins margins = grid_->contentsMargins();
    return std::max(120 + buttons + 3 * spacing, row_of_options) + margins.left() + margins.right();
}

// Wide: each text field with its buttons on one row, the options and the
// notice on the row below. Narrow (the CSS editor's edit area): fields, buttons, options
// and notice on rows of their own.
void FindBar::arrange(bool narrow) {
    if (arranged_ && narrow == narrow_)
        return;
    arranged_ = true;
    narrow_ = narrow;
    while (QLayoutItem* item = grid_->takeAt(0))
        delete item; // the widgets stay
    for (int column = 0; column < 4; ++column)
        grid_->setColumnStretch(column, 0);
    if (!narrow) {
        grid_->addWidget(find_text_, 0, 0);
        grid_->addWidget(previous_button_, 0, 1);
        grid_->addWidget(next_button_, 0, 2);
        grid_->addWidget(close_button_, 0, 3);
        grid_->addWidget(replace_text_, 1, 0);
        grid_->addWidget(replace_button_, 1, 1);
        grid_->addWidget(replace_all_button_, 1, 2);
        checks_row_->addWidget(status_label_);
        grid_->addWidget(checks_, 2, 0, 1, 4);
        grid_->setColumnStretch(0, 1);
    } else {
        grid_->addWidget(find_text_, 0, 0, 1, 2);
        grid_->addWidget(close_button_, 0, 2);
        grid_->addWidget(previous_button_, 1, 0);
        grid_->addWidget(next_button_, 1, 1);
        grid_->addWidget(replace_text_, 2, 0, 1, 2);
        grid_->addWidget(replace_button_, 3, 0);
        grid_->addWidget(replace_all_button_, 3, 1);
        checks_row_->removeWidget(status_label_);
        grid_->addWidget(checks_, 4, 0, 1, 3);
        grid_->addWidget(status_label_, 5, 0, 1, 3);
        grid_->setColumnStretch(0, 1);
        grid_->setColumnStretch(1, 1);
    }
    for (QToolButton* button :
         {previous_button_, next_button_, replace_button_, replace_all_button_})
        button->setSizePolicy(narrow ? QSizePolicy::Expanding : QSizePolicy::Preferred,
                              QSizePolicy::Fixed);
    grid_->activate();
}

void FindBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (in_layout_ || overlay_)
        arrange(width() < wide_width());
}

// Placement by geometry ---------------------------------------------------

void FindBar::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    dock();
}

void FindBar::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // Only an explicit hide gives the room back, not the window being hidden.
    if (isHidden())
        undock();
}

void FindBar::dock() {
    if (in_layout_ || !editor_)
        return;
    if (overlay_) {
        // No parent to share with the editor: lie over its bottom instead.
        arrange(editor_->width() < wide_width());
        const int height = std::min(sizeHint().height(), editor_->height() / 2);
        setGeometry(0, editor_->height() - height, editor_->width(), height);
        return;
    }
    if (strips_)
        strips_->dock(this, EditorStrips::Edge::Bottom, [this](int width) {
            arrange(width < wide_width());
            return sizeHint().height();
        });
}

void FindBar::undock() {
    if (strips_)
        strips_->undock(this);
}

bool FindBar::docked() const {
    return strips_ && strips_->is_docked(this);
}
