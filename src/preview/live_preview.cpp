#include "preview/live_preview.h"

#include "preview/browser_host.h"
#include "preview/preview_source.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

namespace {

const QString& own_script() {
    static const QString source = [] {
        QString source;
        for (const char* name :
             {":/preview/morphdom.js", ":/preview/morph_range.js", ":/preview/live_preview.js"}) {
            QFile file(QString::fromLatin1(name));
            if (file.open(QIODevice::ReadOnly))
                source += QString::fromUtf8(file.readAll()) + QLatin1Char('\n');
        }
        return source;
    }();
    return source;
}

QJsonArray to_json(const QList<int>& list) {
    QJsonArray out;
    for (const int value : list)
        out.append(value);
    return out;
}

QString call(const char* function, const QJsonArray& arguments) {
    QString list = QString::fromUtf8(QJsonDocument(arguments).toJson(QJsonDocument::Compact));
    list = list.mid(1, list.size() - 2); // the array's brackets off: an argument list
    return QStringLiteral("window.marklet ? marklet.%1(%2) : 'no script'")
        .arg(QLatin1String(function), list);
}

bool hidden_in_head(const SourceMap& map, int node) {
    for (int n = node; n > 0; n = map.nodes()[size_t(n)].parent) {
        const int tag = map.nodes()[size_t(n)].tag;
        if (tag == html::head)
            return true;
    }
    const int tag = map.nodes()[size_t(node)].tag;
    return tag == html::html || tag == html::body;
}

} // namespace

LivePreview::LivePreview(BrowserHost* host, const PreviewSource& source, QObject* parent)
    : QObject(parent), host_(host), source_(source) {
    host_->set_own_script(own_script());
    connect(host_, &BrowserHost::settled, this, &LivePreview::on_settled);
    connect(host_, &BrowserHost::own_message, this, &LivePreview::on_message);
    // The page hung and was ended: patches have nowhere to go until the next load.
    connect(host_, &BrowserHost::page_ended, this, [this] {
        ++generation_;
        in_step_ = false;
    });
    rest_.setSingleShot(true);
    rest_.setInterval(kRestMs);
    connect(&rest_, &QTimer::timeout, this, &LivePreview::highlight);
}

void LivePreview::show_change() {
    if (!patching_ || !in_step_ || !host_->pane() || !host_->shows_page()) {
        reload();
        return;
    }
    SourceMap::Patch patch;
    // Pieces are spliced into the page's text only where the file holds the
    // text's own bytes.
    map_.set_splices(source_.preview_is_utf8());
    switch (map_.update(source_.utf8_parts(), &patch)) {
    case SourceMap::Outcome::Unchanged:
        return;
    case SourceMap::Outcome::Reload:
        reload();
        return;
    case SourceMap::Outcome::Patched:
        send_patch(patch);
        return;
    }
}

void LivePreview::reload() {
    in_step_ = false;
    ++generation_;
    // The next page starts where this one is scrolled. (Before the pane is
    // first made there is no scrolling to keep, nor a script to rebuild at
    // every key.)
    if (host_->pane())
        host_->set_own_script(
            own_script() +
            QStringLiteral("\nmarklet.startAt(%1, %2);").arg(scroll_.x()).arg(scroll_.y()));
    if (host_->pane() && (host_->shows_page() || host_->load_in_flight()))
        ++counts_.reloads;
    emit load_wanted();
}

void LivePreview::on_settled() {
    ++generation_;
    if (source_.change_pending()) {
        // The text is ahead of the file the page was loaded from; the change's
        // notice, on its way, loads the page again.
        in_step_ = false;
        return;
    }
    // The pane shows the preview file as it is now: the map starts afresh.
    map_.rebuild(source_.utf8_parts());
    // Patches wait until our script in the page has found the map's
    // elements there; changes before that load the page again.
    in_step_ = false;
    check_loaded(generation_, 0);
    if (caret_ >= 0)
        rest_.start();
}

void LivePreview::check_loaded(int generation, int tries) {
    const double expected = map_.complete() ? double(map_.body_digest()) : -1;
    host_->pane()->run_own_script(
        call("loaded", {expected}), [this, generation, tries](const QVariant& result) {
            if (generation != generation_)
                return;
            if (result.toString() == QLatin1String("ok")) {
                in_step_ = true;
                return;
            }
            // The first page of a new renderer may answer before our script
            // has started in it: ask again a little later.
            if (result.toString() == QLatin1String("no script") && tries < kScriptTries) {
                QTimer::singleShot(kScriptWaitMs, this, [this, generation, tries] {
                    if (generation == generation_ && host_->pane())
                        check_loaded(generation, tries + 1);
                });
                return;
            }
            // No answer (a pane that runs no scripts) is no promise either.
            // Patches would not land where the map says: load at each change.
            trouble_ = result.toString();
            counts_.mismatched += result.isValid() ? 1 : 0;
            in_step_ = false;
        });
}

QString LivePreview::piece(const QByteArray& bytes) const {
    return QString::fromLatin1(source_.preview_bytes(bytes).toBase64());
}

void LivePreview::send_patch(const SourceMap::Patch& patch) {
    QJsonObject p;
    p[QStringLiteral("path")] = to_json(patch.path);
    p[QStringLiteral("tags")] = QJsonArray::fromStringList(patch.tags);
    p[QStringLiteral("after")] = patch.after;
    p[QStringLiteral("before")] = patch.before;
    p[QStringLiteral("old")] = piece(patch.old_piece);
    p[QStringLiteral("new")] = piece(patch.new_piece);
    p[QStringLiteral("tail")] = piece(patch.tail);
    p[QStringLiteral("strip")] = patch.strip_newline;
    p[QStringLiteral("attributes")] = patch.attributes;
    p[QStringLiteral("splice")] = double(patch.splice_at);
    p[QStringLiteral("fromEnd")] = patch.splice_from_end;
    ++counts_.patches;
    const int generation = generation_;
    host_->pane()->run_own_script(call("patch", {p}), [this, generation](const QVariant& result) {
        // No answer at all: the page is gone (the pane closing, or a load).
        if (result.isValid() && result.toString() != QLatin1String("ok"))
            refuse(generation, result.toString());
    });
}

void LivePreview::refuse(int generation, const QString& why) {
    if (generation != generation_)
        return; // about a page that has been loaded again since
    trouble_ = why.isEmpty() ? QStringLiteral("no answer") : why;
    if (!why.startsWith(QLatin1String("reload:")))
        ++counts_.refused;
    reload();
}

void LivePreview::caret_moved(qsizetype offset) {
    caret_ = offset;
    if (host_->isVisible())
        rest_.start();
}

void LivePreview::highlight() {
    if (!in_step_ || !host_->pane() || !host_->shows_page() || !host_->isVisible())
        return;
    // The text is ahead of the map: the change's patch goes first, and the
    // caret's place is read on the map that follows it.
    if (source_.change_pending()) {
        rest_.start();
        return;
    }
    int node = map_.element_at(caret_);
    // At the end of a line the caret stands after the line's end tag (an
    // arrow up or down to a shorter line puts it there): the element meant is
    // the one it has just left, not the body around it.
    if ((node < 0 || hidden_in_head(map_, node)) && caret_ > 0)
        node = map_.element_at(caret_ - 1);
    if (node < 0 || hidden_in_head(map_, node))
        return;
    host_->pane()->run_own_script(
        call("highlight", {to_json(map_.path_of(node)),
                           QJsonArray::fromStringList(map_.tags_of(node)), kOutlineMs}),
        nullptr);
}

void LivePreview::on_message(const QString& message) {
    const QJsonObject m = QJsonDocument::fromJson(message.toUtf8()).object();
    const QString kind = m.value(QStringLiteral("kind")).toString();
    if (kind == QLatin1String("scroll")) {
        scroll_ =
            QPoint(m.value(QStringLiteral("x")).toInt(), m.value(QStringLiteral("y")).toInt());
        return;
    }
    if (kind != QLatin1String("chosen") || !in_step_)
        return;
    QList<int> path;
    for (const QJsonValue v : m.value(QStringLiteral("path")).toArray())
        path.append(v.toInt());
    QStringList tags;
    for (const QJsonValue v : m.value(QStringLiteral("tags")).toArray())
        tags.append(v.toString());
    const int node = map_.element_by_path(path, tags);
    if (node > 0)
        emit element_chosen(map_.start_of(node));
}

QByteArray LivePreview::css_bytes(const QString& path) const {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void LivePreview::stylesheet_changed(const QString& path) {
    // A page that does not name the stylesheet cannot change with it.
    if (in_step_ && !map_.text().contains(QFileInfo(path).fileName().toUtf8()))
        return;
    if (!in_step_ || !host_->pane() || !host_->shows_page()) {
        reload();
        return;
    }
    const QString file = QFileInfo(path).absoluteFilePath();
    const QString css = QString::fromLatin1(css_bytes(path).toBase64());
    const int generation = generation_;
    host_->pane()->run_own_script(call("restyle", {file, css}),
                                  [this, generation](const QVariant& result) {
                                      if (result.toString() == QLatin1String("ok"))
                                          ++counts_.restyles;
                                      else if (result.isValid() && generation == generation_)
                                          reload();
                                  });
}
