#include "app/snippet_insertion.h"

#include "platform/edit_area.h"

void insert_snippet(EditArea& edit, const QString& snpt_start, const QString& snpt_stop) {
    const QString selected = edit.selected_text();
    edit.replace_selection(snpt_start + selected + snpt_stop);
    edit.set_caret(edit.caret() - snpt_stop.size());
    edit.give_focus();
}
