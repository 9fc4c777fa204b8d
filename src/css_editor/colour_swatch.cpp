#include "css_editor/colour_swatch.h"

#include "dialogs/colour_text.h"

#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace {

QColor to_qcolor(unsigned int colour) {
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

} // namespace

ColourSwatch::ColourSwatch(QWidget* parent) : QPushButton(parent) {
    setFlat(true);
    // Enter clicks the swatch that has the focus, as Space does.
    setAutoDefault(true);
    setFocusPolicy(Qt::StrongFocus);
}

void ColourSwatch::set_colour(unsigned int colour) {
    colour_ = colour & 0xFFFFFFu;
    update();
}

unsigned int ColourSwatch::shown_colour() const {
    if (colour_)
        return *colour_;
    const QColor base = palette().color(QPalette::Active, QPalette::Base);
    return colour_number(base.red(), base.green(), base.blue());
}

void ColourSwatch::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    const QRect box = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(rect(), to_qcolor(shown_colour()));
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Dark));
    painter.drawRect(box);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(2, 2, -2, -2);
        focus.backgroundColor = to_qcolor(shown_colour());
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}
