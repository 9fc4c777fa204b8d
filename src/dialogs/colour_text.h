#pragma once

#include <QString>

// HTML colour text of a colour number (red + 256 * green + 65536 * blue):
// "#" and red, green, blue as two upper-case hexadecimal digits each.
// Bits above the 24 colour bits are ignored.
QString colour_text(unsigned int colour);

// The colour number of red, green and blue (0 to 255 each).
constexpr unsigned int colour_number(int red, int green, int blue) {
    return unsigned(red) + 256u * unsigned(green) + 65536u * unsigned(blue);
}
