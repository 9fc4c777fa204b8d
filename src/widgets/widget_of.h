#pragma once

class QObject;
class QWidget;

// The widget an application-wide event filter is looking at, or null.
// Filters on the application see every object Qt delivers to, the web
// engine's own items among them; those come from a library built without
// type information, so this is the one place that asks them anything.
QWidget* widget_of(QObject* object);
