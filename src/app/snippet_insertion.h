#pragma once

#include <QString>

class EditArea;

// Wraps the selection of the edit area between the opening and the closing
// text as one change and one undo step, puts the caret directly before the
// closing text with nothing selected, and gives the edit area the focus.
void insert_snippet(EditArea& edit, const QString& snpt_start, const QString& snpt_stop);
