// The map read: an element's children, which element holds a place of the
// text, where an element sits in the page, and the digest the pane's script
// checks the page by.

#include "preview/source_map.h"

#include <algorithm>

using html::Node;

std::vector<int> SourceMap::children(int node) const {
    std::vector<int> kids;
    const int end = nodes_[size_t(node)].subtree_end;
    for (int c = node + 1; c < end; c = nodes_[size_t(c)].subtree_end)
        kids.push_back(c);
    return kids;
}

int SourceMap::element_at(qsizetype offset) const {
    if (nodes_.size() < 2)
        return -1;
    const auto after = std::upper_bound(nodes_.begin() + 1, nodes_.end(), offset,
                                        [](qsizetype at, const Node& n) { return at < n.start; });
    int n = int(after - nodes_.begin()) - 1;
    while (n > 0 && offset >= nodes_[size_t(n)].end)
        n = nodes_[size_t(n)].parent;
    return n > 0 ? n : -1;
}

QList<int> SourceMap::path_of(int node) const {
    QList<int> path;
    for (int n = node; n > 1; n = nodes_[size_t(n)].parent) {
        const int parent = nodes_[size_t(n)].parent;
        int index = 0;
        for (int c = parent + 1; c != n; c = nodes_[size_t(c)].subtree_end)
            ++index;
        path.prepend(index);
    }
    return path;
}

QStringList SourceMap::tags_of(int node) const {
    QStringList tags;
    for (int n = node; n > 0; n = nodes_[size_t(n)].parent) {
        const std::string_view name = names_.name(nodes_[size_t(n)].tag);
        tags.prepend(QString::fromUtf8(name.data(), qsizetype(name.size())));
    }
    return tags;
}

int SourceMap::element_by_path(const QList<int>& path, const QStringList& tags) const {
    if (nodes_.size() < 2 || tags.value(0) != QLatin1String("html"))
        return -1;
    int n = 1;
    for (qsizetype i = 0; i < path.size(); ++i) {
        const std::vector<int> kids = children(n);
        const int index = path[i];
        if (index < 0 || index >= int(kids.size()))
            break;
        const std::string_view name = names_.name(nodes_[size_t(kids[size_t(index)])].tag);
        if (tags.value(i + 1) != QLatin1String(name.data(), qsizetype(name.size())))
            break;
        n = kids[size_t(index)];
    }
    return n;
}

qsizetype SourceMap::start_of(int node) const {
    return nodes_[size_t(node)].start;
}

quint32 SourceMap::body_digest() const {
    quint32 h = 2166136261u;
    auto add = [&h](QStringView text) {
        for (const QChar c : text)
            h = (h ^ c.unicode()) * 16777619u;
    };
    if (body_ < 0)
        return h;
    std::vector<int> open;
    for (int n = body_ + 1; n < nodes_[size_t(body_)].subtree_end; ++n) {
        while (!open.empty() && nodes_[size_t(n)].parent != open.back()) {
            add(u")");
            open.pop_back();
        }
        const std::string_view name = names_.name(nodes_[size_t(n)].tag);
        add(QString::fromUtf8(name.data(), qsizetype(name.size())));
        add(u"(");
        open.push_back(n);
    }
    for (size_t k = 0; k < open.size(); ++k)
        add(u")");
    return h;
}
