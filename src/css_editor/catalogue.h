#pragma once

#include <QStringView>
#include <span>

// The property catalogue of the CSS editor: one constant table that both
// builds the controls of the window and drives the rule builder. The order of
// the rows is the order in which a rule lists its properties.

enum class ValueKind { List, Text, Colour };

struct CatalogueFrame {
    QStringView name;             // objectName of the frame, "Frame1"
    QStringView caption;          // "Caratteri"
    int left, top, width, height; // twips, in the window's client area
};

struct CatalogueRow {
    int frame;             // index into catalogue_frames()
    int row;               // 0 to 6, top to bottom inside the frame
    QStringView check_box; // objectName of the tick box, "ctipo_c"
    QStringView control;   // objectName of the value control, "ctipo"
    QStringView caption;   // text of the tick box, "Tipo"
    ValueKind kind;
    std::span<const QStringView> items; // list rows only
    int start_index;                    // list item selected at start; -1 for none
    QStringView property;               // "font-family: "
};

std::span<const CatalogueFrame> catalogue_frames();
std::span<const CatalogueRow> catalogue();

// The selectors offered by the selector list, in order.
std::span<const QStringView> selector_items();

// Places inside a frame, in twips from the frame's top left corner.
constexpr int kCheckBoxLeft = 120;
constexpr int kValueLeft = 2040;
constexpr int kValueWidth = 1815;
constexpr int kRowHeight = 315;
constexpr int row_top(int row) {
    return 240 + 360 * row;
}
