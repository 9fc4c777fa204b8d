#include "find/editor_search.h"

void EditorSearch::hold_index(bool hold) {
    // Kept only while the bar is open: the editor keeps it up to date at
    // every change, and building it walks the whole text, which opening a
    // large document should not pay for.
    if (hold == index_held_ || !target_.alive())
        return;
    target_.hold_index(hold);
    index_held_ = hold;
}

const QString& EditorSearch::text() {
    if (target_.alive() && edit_ && (!text_valid_ || text_revision_ != edit_->revision())) {
        text_ = target_.text();
        text_valid_ = true;
        text_revision_ = edit_->revision();
    }
    return text_;
}

qsizetype EditorSearch::selection_start() const {
    return target_.to_units(target_.selection_start());
}

qsizetype EditorSearch::selection_end() const {
    return target_.to_units(target_.selection_end());
}

void EditorSearch::select(const TextMatch& match) {
    if (target_.alive())
        target_.select(target_.to_bytes(match.start), target_.to_bytes(match.end()));
}

bool EditorSearch::replace_selection(const QString& needle, const QString& replacement,
                                     FindOptions options) {
    if (!target_.alive())
        return false;
    const long start = target_.selection_start();
    const long end = target_.selection_end();
    const qsizetype start_units = target_.to_units(start);
    const bool selection_matches = target_.to_units(end) - start_units == needle.size() &&
                                   matches_at(text(), needle, start_units, options);
    if (selection_matches)
        target_.set_caret(start + target_.replace(start, end, replacement.toUtf8()));
    return selection_matches;
}

qsizetype EditorSearch::replace_all(const QString& needle, const QString& replacement,
                                    FindOptions options) {
    if (!target_.alive())
        return 0;
    const QString& text = this->text();
    const QList<qsizetype> starts = find_all(text, needle, options);
    if (starts.isEmpty())
        return 0;
    // The span from the first match to the end of the last one is replaced
    // in one piece: one change of the text, one undo step. (Replacing match
    // by match costs QScintilla a walk from the start of the text each time.)
    const qsizetype first = starts.front();
    const qsizetype last_end = starts.back() + needle.size();
    QString span;
    span.reserve(last_end - first + starts.size() * (replacement.size() - needle.size()));
    qsizetype copied = first;
    for (const qsizetype start : starts) {
        span.append(QStringView(text).sliced(copied, start - copied));
        span.append(replacement);
        copied = start + needle.size();
    }
    const qsizetype caret = target_.to_units(target_.caret());
    const SearchTarget::View view = target_.view();
    target_.replace(target_.to_bytes(first), target_.to_bytes(last_end), span.toUtf8());

    // The caret stays by the text it was in; the view does not move.
    const qsizetype new_caret =
        position_after_replace(caret, starts, needle.size(), replacement.size());
    target_.set_empty_selection(target_.to_bytes(new_caret));
    target_.set_view(view);
    return starts.size();
}
