#pragma once

#include <QRect>
#include <QSize>
#include <optional>

class QLabel;
class QWidget;

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

// The places of the main window's edit area and browser pane: the sizes the
// resize rule last gave them (at first those they were made with), shown as
// far as the client area reaches, never below it.
//
// Ownership: held by the window, whose widgets it places.
class ControlPlaces {
  public:
    ControlPlaces(QWidget* edit, QWidget* pane);
    // For a window of outer size `outer` whose client area is `room` pixels high.
    void apply(QSize outer, int room);
    // The tag list's caption ends where the list begins, and takes the room to
    // its left that it needs (beyond its place, up to the preview buttons).
    static void place_caption(QLabel* caption, const QWidget* list);

  private:
    QWidget* edit_;
    QWidget* pane_;
    QSize edit_size_;
    QRect pane_place_;
};
