#include "app/elided_label.h"

#include <QEvent>
#include <algorithm>

ElidedLabel::ElidedLabel(QWidget* parent) : ElidedLabel(QString(), parent) {}

ElidedLabel::ElidedLabel(const QString& text, QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    set_full_text(text);
}

void ElidedLabel::set_full_text(const QString& text) {
    full_ = text;
    // A screen reader reads the whole text, not what fits.
    setAccessibleName(text);
    fit();
    updateGeometry();
}

QSize ElidedLabel::sizeHint() const {
    const QMargins margins = contentsMargins();
    return {fontMetrics().horizontalAdvance(full_) + 2 * margin() + margins.left() +
                margins.right(),
            QLabel::sizeHint().height()};
}

QSize ElidedLabel::minimumSizeHint() const {
    return {0, QLabel::minimumSizeHint().height()};
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    fit();
}

void ElidedLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fit();
}

void ElidedLabel::fit() {
    const int room = contentsRect().width() - 2 * margin();
    // Measured as sizeHint() measures it: elidedText() may cut a text that
    // has exactly the room it asks for.
    const QString shown = fontMetrics().horizontalAdvance(full_) <= room
                              ? full_
                              : fontMetrics().elidedText(full_, Qt::ElideRight, std::max(room, 0));
    setText(shown);
    setToolTip(shown == full_ ? QString() : full_);
}
