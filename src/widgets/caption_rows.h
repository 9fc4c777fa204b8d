#pragma once

// The captions of a menu bar that wraps: their sizes in the widget's style,
// their places on as many rows as the width needs, and their painting.

#include <QList>
#include <QRect>
#include <QSize>
#include <vector>

class QAction;
class QKeySequence;
class QPainter;
class QWidget;

// Where a wrapping menu bar puts its captions: left to right in the given
// order, a caption that does not fit going to the start of the next row
// (unless it is alone on its row). An empty size is a hidden caption, given
// an empty rectangle.
struct CaptionRows {
    std::vector<QRect> captions;
    int rows = 0;
    int height = 0; // of the whole bar
};

struct CaptionMetrics {
    int frame = 0;      // the bar's frame, on each side
    int hmargin = 0;    // left and right of the captions
    int vmargin = 0;    // above and below the rows
    int spacing = 0;    // between two captions of a row
    int row_height = 0; // at least this; the tallest caption otherwise
};

CaptionRows arrange_captions(const std::vector<QSize>& sizes, int width,
                             const CaptionMetrics& metrics);
// The width that holds all captions on one row.
int one_row_width(const std::vector<QSize>& sizes, const CaptionMetrics& metrics);

// The style's margins of a menu bar, for `bar`.
CaptionMetrics caption_metrics(const QWidget* bar);
// The size of each caption (empty for a hidden one), as the style draws it.
std::vector<QSize> measure_captions(const QWidget* bar, const QList<QAction*>& actions);
// Paints the bar's background and its captions; `active` (open or highlighted
// for the keyboard) and `hover` are caption indexes, or -1.
void paint_captions(QPainter& painter, QWidget* bar, const CaptionRows& rows, int active,
                    int hover);

// The captions whose access key ("&" letter, as Alt+letter) is `key`, in order.
QList<int> captions_with_key(const QList<QAction*>& actions, const QKeySequence& key);
// Each access key of the captions, once.
QList<QKeySequence> distinct_access_keys(const QList<QAction*>& actions);
