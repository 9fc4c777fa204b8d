// Where a patch may go: the gaps between an element's children, whether an
// element's content is read in the mode a lone copy of it would be, and
// whether a change touches a script the page has already run.

#include "preview/source_map.h"

using html::CleanAfter;
using html::CleanEnd;
using html::CleanStart;
using html::FormAfter;
using html::FormAtStart;
using html::Handler;
using html::InBody;
using html::InCaption;
using html::InCell;
using html::InColumnGroup;
using html::InRow;
using html::InSelect;
using html::InSelectInTable;
using html::InTable;
using html::InTableBody;
using html::ModeSet;
using html::Node;
using html::TextMode;
using html::Unfinished;

namespace {

bool touch(qsizetype from, qsizetype to, qsizetype start, qsizetype end) {
    if (from == to)
        return start < from && from < end;
    return from < end && start < to;
}

} // namespace

std::vector<SourceMap::Gap> SourceMap::gaps(int node, const std::vector<int>& kids) const {
    const Node& p = nodes_[size_t(node)];
    std::vector<Gap> out;
    out.reserve(kids.size() + 1);
    for (size_t k = 0; k <= kids.size(); ++k) {
        Gap g;
        if (k == 0) {
            g.left = p.content_start;
            g.clean = p.flags & CleanStart;
            g.form = p.flags & FormAtStart;
        } else {
            const Node& before = nodes_[size_t(kids[k - 1])];
            g.left = before.end;
            g.clean = before.flags & CleanAfter;
            g.form = before.flags & FormAfter;
        }
        g.right = k < kids.size() ? nodes_[size_t(kids[k])].start : p.content_end;
        if (k == kids.size())
            g.clean = g.clean && (p.flags & CleanEnd);
        out.push_back(g);
    }
    return out;
}

bool SourceMap::settled_in_body(int node) const {
    for (int a = nodes_[size_t(node)].parent; a > 0; a = nodes_[size_t(a)].parent) {
        const Node& up = nodes_[size_t(a)];
        if (up.tag == html::head)
            return false;
        // Where the model stopped, what follows may still go in before an
        // open element (a table's fostered content): below one, indices may
        // shift. Nothing goes in before the body.
        if ((up.flags & Unfinished) && up.tag != html::body && up.tag != html::html)
            return false;
    }
    return true;
}

bool SourceMap::usable_context(int node) const {
    const Node& n = nodes_[size_t(node)];
    if ((n.flags & Unfinished) || !(n.flags & ModeSet) || !settled_in_body(node))
        return false;
    // The mode a browser gives the content of a lone element of this name
    // must be the mode the page's own parse was in there.
    switch (n.tag) {
    case html::html:
    case html::head:
    case html::template_:
    case html::frameset:
    case html::noscript:
    case html::script:
    case html::plaintext:
        return false;
    case html::select:
        return n.mode == InSelect || n.mode == InSelectInTable;
    case html::tr:
        return n.mode == InRow;
    case html::tbody:
    case html::thead:
    case html::tfoot:
        return n.mode == InTableBody;
    case html::caption:
        return n.mode == InCaption;
    case html::colgroup:
        return n.mode == InColumnGroup;
    case html::table:
        return n.mode == InTable;
    case html::title:
    case html::textarea:
    case html::style:
    case html::xmp:
    case html::iframe:
    case html::noembed:
    case html::noframes:
        return n.mode == TextMode;
    default:
        // Inside a cell or a caption only what would close them differs
        // from the body, and that never reads cleanly inside the element.
        return n.mode == InBody || n.mode == InCell || n.mode == InCaption;
    }
}

bool SourceMap::touches_old_script(qsizetype from, qsizetype to, int first, int last) const {
    for (int k = first; k < last; ++k) {
        const Node& n = nodes_[size_t(k)];
        if (n.tag == html::script && touch(from, to, n.start, n.end))
            return true;
        if ((n.flags & Handler) && touch(from, to, n.start, n.content_start))
            return true;
    }
    return false;
}
