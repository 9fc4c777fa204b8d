#pragma once

#include <optional>

// Where the resize rule puts the edit area and the browser pane, in twips.
struct PaneLayout {
    double edit_width;
    double edit_height;
    double browser_left;
    double browser_width;
    double browser_height;
};

constexpr double kEditTop = 1560;
constexpr double kBrowserTop = 120;

// The resize rule for a window whose outer size (frame, title and menu bar
// included) is W x H twips: in a window wider than 14760 and higher than 8355
// the edit area takes the left half and the browser pane the right half; in a
// smaller one nothing changes (nothing is returned).
std::optional<PaneLayout> resize_rule(double outer_width, double outer_height);

// The height a control placed at `top` (pixels from the top of the client
// area) may have so that it ends within a client area `room` pixels high:
// `wanted` where it fits, less where it does not, never below 0.
int fitted_height(int top, int wanted, int room);
