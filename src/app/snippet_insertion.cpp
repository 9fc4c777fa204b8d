#include "app/snippet_insertion.h"

#include "platform/edit_area.h"

void insert_snippet(EditArea& edit, const QString& snpt_start, const QString& snpt_stop) {
    // The selection stays in its place between the two texts: the same
    // result as replacing it with start + selection + stop, without copying
    // a large selection out of the document and back.
    edit.wrap_selection(snpt_start, snpt_stop);
    edit.set_caret(edit.caret() - snpt_stop.size());
    edit.give_focus();
}
