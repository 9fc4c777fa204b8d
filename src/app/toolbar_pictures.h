#pragma once

#include <QIcon>
#include <QSize>
#include <QString>

// A toolbar picture by the name of its SVG in resources/icons, at `size`
// (logical pixels) and at twice that for 2x screens. The pictures are drawn
// at build time into raw pixels kept uncompressed among the program's
// resources, so nothing is parsed or decoded when the window starts. A
// picture that is missing gives an empty icon.
QIcon toolbar_picture(const QString& name, QSize size);
