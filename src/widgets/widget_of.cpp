#include "widgets/widget_of.h"

#include <QWidget>

// The call is sound for any live QObject; the sanitizer's type check cannot
// follow objects without type information, hence the exemption.
__attribute__((no_sanitize("vptr"))) QWidget* widget_of(QObject* object) {
    if (!object || !object->isWidgetType())
        return nullptr;
    return static_cast<QWidget*>(object);
}
