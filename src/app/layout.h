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
