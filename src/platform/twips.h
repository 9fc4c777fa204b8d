#pragma once

#include <QRect>
#include <cmath>

// Window positions and sizes are designed in twips; 15 twips make one logical
// pixel. Half twips (from halving an odd width) round to the nearest pixel.
constexpr double kTwipsPerPixel = 15.0;

inline int twips(double value) {
    return int(std::lround(value / kTwipsPerPixel));
}

inline QRect twips_rect(double left, double top, double width, double height) {
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

inline double to_twips(int pixels) {
    return pixels * kTwipsPerPixel;
}
