#pragma once

#include "html/tree_builder.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

// The elements of the page shown in the preview, each with the source it
// came from, kept in step with the document's text: the link between a
// change of the text and the few elements it touches, and between the caret
// and the element that holds it.
//
// A change is patched when the model can prove that re-reading only a piece
// of the source inside one element gives the tree a full load would give:
// the piece starts and ends where the parser stands inside that element with
// nothing pending, and the new piece leaves the parser exactly as the old one
// did. Anything else asks for a full load.
class SourceMap {
  public:
    using Parts = std::array<QByteArrayView, 2>;

    // The piece of the page a change replaces.
    struct Patch {
        QList<int> path;            // the element holding the piece, from <html>: child indices
        QStringList tags;           // tag names along the path, <html> first
        int after = -1;             // the piece follows this child element; -1: the content's start
        int before = -1;            // and ends before this one (old index); -1: the content's end
        QByteArray old_piece;       // its source before the change
        QByteArray new_piece;       // and after
        bool strip_newline = false; // pre, listing, textarea: the first line break is dropped
        QByteArray tail;            // white space after "</body>", which ends up in the body
        // Only the attributes of the element at the path changed: the pieces
        // are its old and new start tag.
        bool attributes = false;
        // The element at the path holds one text node, and the pieces are
        // the changed region of it alone (see source_map_splice.cpp): it
        // starts this many UTF-16 units after the text's start, or, when
        // `splice_from_end`, this many before its end (after the old piece).
        qsizetype splice_at = -1;
        bool splice_from_end = false;
    };

    enum class Outcome { Unchanged, Patched, Reload };

    // Reads the whole text anew.
    void rebuild(Parts text);
    // Changes inside an element's one text may be spliced into it (the page
    // reads the preview file as UTF-8, the text's own bytes).
    void set_splices(bool on) { splices_ = on; }
    void clear();
    bool valid() const { return valid_; }

    // The text changed to `text`: plans the patch and takes the change in.
    // On Reload the map has been rebuilt for the new text. Unchanged also
    // when the change lies in a long comment, or the text of a script or
    // title, left open to the end of the page: the page looks the same.
    Outcome update(Parts text, Patch* patch);

    // The element holding byte `offset` of the text; -1 when none is known.
    int element_at(qsizetype offset) const;
    // Its place for the pane: child indices from <html>, and the tag names.
    QList<int> path_of(int node) const;
    QStringList tags_of(int node) const;
    // The element at a path with these tag names (<html> first), as deep as
    // the map and the path agree.
    int element_by_path(const QList<int>& path, const QStringList& tags) const;
    // Where its start tag begins.
    qsizetype start_of(int node) const;

    // A digest of the body's element tree (names and nesting), the same the
    // pane's script computes from the page: FNV-1a over the UTF-16 units of
    // each element's name followed by "(", its children, and ")".
    quint32 body_digest() const;
    bool complete() const { return stopped_at_ < 0; }
    const std::vector<html::Node>& nodes() const { return nodes_; }
    const QByteArray& text() const { return text_; }

  private:
    struct Gap {
        qsizetype left;  // just after the child before it (or the content's start)
        qsizetype right; // the next child's start (or the content's end)
        bool clean;
        bool form;
    };
    std::vector<int> children(int node) const;
    std::vector<Gap> gaps(int node, const std::vector<int>& kids) const;
    // No ancestor of `node` is the head or an element left open where the
    // model stopped (the body and html aside).
    bool settled_in_body(int node) const;
    bool usable_context(int node) const;
    QByteArray body_tail() const;
    enum class Try { Patched, Outside, Script };
    Try try_attributes(qsizetype at, qsizetype removed, qsizetype added, Parts text, Patch* patch);
    void shift(qsizetype at, qsizetype removed, qsizetype added, Parts text);
    Try try_patch(int context, qsizetype at, qsizetype removed, qsizetype added, Parts text,
                  Patch* patch);
    bool touches_old_script(qsizetype from, qsizetype to, int first, int last) const;
    // The change lies inside unseen text that runs to the end of the page,
    // and still does after it (see source_map_tail.cpp): where that text
    // starts; -1 when it does not. In a stylesheet, `rule`: where the rule
    // the browser drops starts.
    qsizetype unseen_tail(qsizetype at, qsizetype removed, Parts text, qsizetype* rule) const;
    // Unchanged: the change is left unshown and taken in; Reload: it shows,
    // in text the page holds an older copy of; none: neither.
    std::optional<Outcome> in_unseen_tail(qsizetype at, qsizetype removed, qsizetype added,
                                          Parts text);
    void splice(int context, int first, int last, std::vector<html::Node>& fresh, qsizetype delta);
    bool plan_splice(int context, qsizetype at, qsizetype removed, qsizetype added, Parts text,
                     Patch* patch) const;

    mutable html::TagNames names_; // interns names met while reading
    std::vector<html::Node> nodes_;
    QByteArray text_;
    html::Quirks quirks_ = html::Quirks::Yes;
    qsizetype stopped_at_ = -1;
    bool valid_ = false;
    bool splices_ = false;
    int body_ = -1;
    // The page's copy of the text from here to the end is behind the map's
    // (changes there were left unshown); -1: the page is the map's.
    qsizetype behind_from_ = -1;
    qsizetype open_rule_ = -1; // there, a stylesheet's rule the browser drops starts here
};
