#include "dialogs/colour_text.h"

QString colour_text(unsigned int colour) {
    // Six hexadecimal digits read blue, green, red; swap the pairs round.
    const QString digits =
        QString::number(colour & 0xFFFFFFu, 16).toUpper().rightJustified(6, u'0');
    return u'#' + digits.mid(4, 2) + digits.mid(2, 2) + digits.mid(0, 2);
}
