#include "app/form1_parts.h"

#include "app/form1.h"
#include "app/preview_controller.h"
#include "app/window_operations.h"

QsciScintilla* Form1Parts::editor() const {
    return window_.RichTextBox1;
}

ScintillaEditArea& Form1Parts::edit_area() const {
    return *window_.edit_;
}

LivePreview* Form1Parts::live_preview() const {
    return window_.preview_->live();
}

FindBar* Form1Parts::find_bar() const {
    return window_.find_bar_;
}

FileChangeBar* Form1Parts::file_change_bar() const {
    return window_.file_change_bar();
}

Asker& Form1Parts::asker() const {
    return window_.asker();
}

DocumentSession& Form1Parts::session() const {
    return *window_.session_;
}

css_edit* Form1Parts::css_window() const {
    return window_.operations_->css_window();
}

const CssEditorState& Form1Parts::css_state() const {
    return window_.operations_->css_state();
}

QAction* Form1Parts::action(const QString& name) const {
    return window_.action(name);
}

int Form1Parts::preview_writes() const {
    return window_.preview_writes();
}
