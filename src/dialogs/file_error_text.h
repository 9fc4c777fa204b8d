#pragma once

#include "document/file_error.h"

#include <QString>

// What the user reads of a failed file operation: one or two short Italian
// sentences ("Permesso negato.", "Il disco è pieno."), shared by the main
// window and the CSS editor.
QString describe(const FileError& error);
