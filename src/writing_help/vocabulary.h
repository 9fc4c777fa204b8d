#pragma once

#include "html/elements.h"

#include <QByteArrayView>
#include <QStringList>

// The HTML the program knows, as the writing help asks it: the elements (of
// the one table in html/elements.h), the attributes each takes and the values
// of the attributes that have a fixed set. Completion offered while typing and
// the page checker both ask here, so what is offered is never called unknown.
namespace vocabulary {

// The element of the table in html/elements.h, matched without regard to
// case; null when it is not there.
const html::Element* find_element(QByteArrayView name);

// Sorted lists, lower case.
QStringList element_names();
// The element's own attributes and the global ones; the global ones alone
// for an element the table does not know.
QStringList attribute_names(QByteArrayView element);
// The values of an attribute with a fixed set, for that element; empty when
// the attribute takes free text.
QStringList attribute_values(QByteArrayView element, QByteArrayView attribute);

// Attributes written without a value (checked, disabled, ...).
bool is_boolean_attribute(QByteArrayView attribute);
// Whether the attribute is valid on the element: its own, a global one, an
// event handler (on...), data-* or aria-*.
bool knows_attribute(QByteArrayView element, QByteArrayView attribute);

} // namespace vocabulary
