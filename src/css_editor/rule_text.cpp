#include "css_editor/rule_text.h"

#include "css_editor/catalogue.h"
#include "dialogs/colour_text.h"

QString sistema_colore(unsigned int colore) {
    return colour_text(colore);
}

namespace {

// The value a row writes, or nothing when the row is left out.
std::optional<QString> row_value(const CatalogueRow& row, const RowValue& value,
                                 unsigned int initial_colour) {
    if (!value.ticked)
        return std::nullopt;
    switch (row.kind) {
    case ValueKind::List:
        return value.text;
    case ValueKind::Text:
        if (value.text.trimmed().isEmpty())
            return std::nullopt;
        return value.text;
    case ValueKind::Colour:
        return sistema_colore(value.colour.value_or(initial_colour));
    }
    return std::nullopt;
}

} // namespace

QString rule_text(const QString& selector, std::span<const RowValue> rows,
                  unsigned int initial_colour) {
    QString rule = selector + QStringLiteral(" {\r\n");
    const auto table = catalogue();
    for (std::size_t i = 0; i < table.size() && i < rows.size(); ++i) {
        if (const auto value = row_value(table[i], rows[i], initial_colour))
            rule += u'\t' + table[i].property.toString() + *value + QStringLiteral(";\r\n");
    }
    rule += QStringLiteral("}\r\n");
    return rule;
}
