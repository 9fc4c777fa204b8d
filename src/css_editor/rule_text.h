#pragma once

#include <QString>
#include <optional>
#include <span>

// What one catalogue row holds when a rule is built.
struct RowValue {
    bool ticked = false;
    // List rows: the text of the selected item (empty when nothing is
    // selected). Text rows: the text as typed.
    QString text;
    // Colour rows: the colour chosen for the swatch, or nothing while it
    // still shows its initial colour.
    std::optional<unsigned int> colour;
};

// CSS colour text of a colour number (red + 256 * green + 65536 * blue):
// "#" and red, green, blue as two upper-case hexadecimal digits each.
QString sistema_colore(unsigned int colore);

// The style rule for `selector` and the catalogue rows, one value per row of
// catalogue() in the same order (missing rows count as not ticked):
//   selector " {" CR LF, then for each row taken TAB property value ";" CR LF,
//   then "}" CR LF.
// A list or colour row is taken when ticked; a text row when ticked and its
// text is not blank, and then its text goes in untrimmed. A colour row whose
// swatch still shows its initial colour writes `initial_colour`.
QString rule_text(const QString& selector, std::span<const RowValue> rows,
                  unsigned int initial_colour);
