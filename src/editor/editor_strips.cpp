#include "editor/editor_strips.h"

#include <QEvent>

#include <algorithm>

EditorStrips::EditorStrips(QWidget* editor) : QObject(editor), editor_(editor) {
    setObjectName(QStringLiteral("editor_strips"));
    editor->installEventFilter(this);
}

EditorStrips* EditorStrips::of(QWidget* editor) {
    if (auto* strips = editor->findChild<EditorStrips*>(QString(), Qt::FindDirectChildrenOnly))
        return strips;
    return new EditorStrips(editor);
}

bool EditorStrips::is_docked(const QWidget* bar) const {
    return std::any_of(strips_.begin(), strips_.end(),
                       [bar](const Strip& strip) { return strip.bar == bar; });
}

void EditorStrips::dock(QWidget* bar, Edge edge, Height height) {
    if (strips_.empty())
        full_ = editor_->geometry();
    auto found = std::find_if(strips_.begin(), strips_.end(),
                              [bar](const Strip& strip) { return strip.bar == bar; });
    if (found == strips_.end())
        strips_.push_back({bar, edge, std::move(height)});
    else
        *found = {bar, edge, std::move(height)};
    place();
}

void EditorStrips::undock(QWidget* bar) {
    const auto before = strips_.size();
    std::erase_if(strips_, [bar](const Strip& strip) { return !strip.bar || strip.bar == bar; });
    if (strips_.size() == before)
        return;
    if (strips_.empty()) {
        placing_ = true;
        editor_->setGeometry(full_);
        placing_ = false;
    } else {
        place();
    }
}

void EditorStrips::update() {
    if (!strips_.empty())
        place();
}

void EditorStrips::place() {
    std::erase_if(strips_, [](const Strip& strip) { return !strip.bar; });
    int room = full_.height();
    int top = 0, bottom = 0;
    for (Strip& strip : strips_) {
        strip.taken = std::clamp(strip.height(full_.width()), 0, room / 2);
        room -= strip.taken;
        (strip.edge == Edge::Top ? top : bottom) += strip.taken;
    }
    shortened_ = full_.adjusted(0, top, 0, -bottom);
    placing_ = true;
    editor_->setGeometry(shortened_);
    int above = full_.top(), below = shortened_.bottom() + 1;
    for (const Strip& strip : strips_) {
        int& y = strip.edge == Edge::Top ? above : below;
        strip.bar->setGeometry(full_.left(), y, full_.width(), strip.taken);
        strip.bar->raise();
        y += strip.taken;
    }
    placing_ = false;
}

bool EditorStrips::eventFilter(QObject* watched, QEvent* event) {
    const bool moved = event->type() == QEvent::Resize || event->type() == QEvent::Move;
    if (moved && watched == editor_ && !placing_ && !strips_.empty()) {
        const QRect now = editor_->geometry();
        if (now != shortened_) {
            // The owner moved or resized the editor. A height and top left as
            // we set them mean the owner kept them: the whole rectangle
            // includes the strips.
            const bool kept = now.top() == shortened_.top() && now.height() == shortened_.height();
            full_ = kept ? now.adjusted(0, full_.top() - shortened_.top(), 0,
                                        full_.bottom() - shortened_.bottom())
                         : now;
            place();
        }
    }
    return QObject::eventFilter(watched, event);
}
