#pragma once

#include <QByteArrayView>
#include <QStringList>
#include <span>

// The HTML the program knows: elements, the attributes each takes and the
// values of the attributes that have a fixed set. One table serves both the
// completion offered while typing and the page checker, so what is offered is
// never called unknown.
namespace vocabulary {

enum Flag : unsigned {
    Void = 1,        // no content and no end tag (<br>, <img>)
    Inline = 2,      // phrase content (<b>, <span>); otherwise a block
    OptionalEnd = 4, // the end tag may be left out (<p>, <li>, <td>)
    RawText = 8,     // the content is text, not markup (<script>, <style>)
};

struct Element {
    const char* name;
    unsigned flags;
    const char* attributes; // its own, space-separated; the global ones apply too
};

std::span<const Element> elements();

// Names are matched without regard to case.
const Element* find_element(QByteArrayView name);
bool is_void(QByteArrayView element);

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
