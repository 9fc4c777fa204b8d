#pragma once

#include "editor/scintilla_edit_area.h"
#include "editor/search_target.h"
#include "find/find_replace.h"

#include <QPointer>
#include <QString>
#include <optional>

class QsciScintilla;

// The literal search of find_replace.h applied to one QScintilla editor: the
// document's text as the search sees it (UTF-16, read once and kept while the
// edit area's revision stays the same), selecting a match and the edits of a
// replacement, done through the editor's SearchTarget.
//
// Every operation does nothing once the editor is gone.
class EditorSearch {
  public:
    explicit EditorSearch(ScintillaEditArea& edit) : edit_(&edit), target_(edit.widget()) {}

    // Has the editor keep an index of the lines' starts in UTF-16 units while
    // searches run, so conversions walk one line only.
    void hold_index(bool hold);
    // The document's text, read again when it has changed since last read.
    const QString& text();

    // The selection, in UTF-16 units.
    qsizetype selection_start() const;
    qsizetype selection_end() const;
    // Selects the match and scrolls it into view.
    void select(const TextMatch& match);
    // Replaces the selection by `replacement` when the selection is a match
    // of `needle` (one undo step); true when it was.
    bool replace_selection(const QString& needle, const QString& replacement, FindOptions options);
    // Replaces every match as one change and one undo step; the caret stays
    // by the text it was in and the view does not move. The number replaced.
    qsizetype replace_all(const QString& needle, const QString& replacement, FindOptions options);

  private:
    QPointer<ScintillaEditArea> edit_;
    SearchTarget target_;
    QString text_;
    bool text_valid_ = false;
    quint64 text_revision_ = 0;
    bool index_held_ = false;
};
