#include "app/layout.h"

#include <algorithm>

std::optional<PaneLayout> resize_rule(double W, double H) {
    if (!(W > 14760 && H > 8355))
        return std::nullopt;
    return PaneLayout{
        .edit_width = W / 2 - 180,
        .edit_height = H - kEditTop - 800,
        .browser_left = W / 2 + 40,
        .browser_width = W / 2 - 260,
        .browser_height = H - kBrowserTop - 800,
    };
}

int fitted_height(int top, int wanted, int room) {
    return std::clamp(wanted, 0, std::max(room - top, 0));
}
