#include "writing_help/check_marks.h"

#include "editor/editor_text.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <Qsci/qsciscintilla.h>

namespace {

constexpr int kMargin = 1;
// Lines longer than this get only the tag at the finding underlined.
constexpr qsizetype kLongLine = 300;

QImage symbol(Severity severity, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box(1, 1, size - 2, size - 2);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(std::max(6, size * 2 / 3));
    painter.setFont(font);
    if (severity == Severity::Error) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0xd3, 0x2f, 0x2f));
        painter.drawEllipse(box);
        painter.setPen(QPen(Qt::white, std::max(1.5, size / 8.0), Qt::SolidLine, Qt::RoundCap));
        const qreal m = size * 0.32;
        painter.drawLine(QPointF(m, m), QPointF(size - m, size - m));
        painter.drawLine(QPointF(size - m, m), QPointF(m, size - m));
    } else {
        QPolygonF triangle;
        triangle << QPointF(size / 2.0, 1) << QPointF(size - 1, size - 1) << QPointF(1, size - 1);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0xf2, 0xa9, 0x00));
        painter.drawPolygon(triangle);
        painter.setPen(QColor(0x30, 0x20, 0x00));
        painter.drawText(box.adjusted(0, size * 0.12, 0, 0), Qt::AlignCenter, QStringLiteral("!"));
    }
    return image;
}

// The messages as the tooltip's rich text, so that tags in them show as
// written, each on one line.
QString tooltip(const QStringList& messages) {
    QStringList lines;
    for (const QString& message : messages)
        lines << message.toHtmlEscaped();
    return QStringLiteral("<p style='white-space:pre'>") + lines.join(QStringLiteral("<br>")) +
           QStringLiteral("</p>");
}

} // namespace

QString finding_count_text(int errors, int warnings) {
    return QStringLiteral("%1 %2, %3 %4")
        .arg(errors)
        .arg(errors == 1 ? QStringLiteral("errore") : QStringLiteral("errori"))
        .arg(warnings)
        .arg(warnings == 1 ? QStringLiteral("avviso") : QStringLiteral("avvisi"));
}

CheckMarks::CheckMarks(QsciScintilla* editor)
    : QObject(editor), editor_(editor), marks_(editor, kMargin) {
    // The symbols themselves are drawn when the first findings come: drawing
    // them loads a font, which the window's start need not wait for.
    error_marker_ = marks_.add_symbol_kind();
    warning_marker_ = marks_.add_symbol_kind();
    marks_.set_margin_width(symbol_size() + 4);
    error_indicator_ = marks_.add_underline_kind(QColor(0xd3, 0x2f, 0x2f));
    warning_indicator_ = marks_.add_underline_kind(QColor(0xd0, 0x8a, 0x00));
    editor_->viewport()->installEventFilter(this);
}

int CheckMarks::symbol_size() const {
    return std::clamp(marks_.line_height() - 3, 10, 16);
}

void CheckMarks::draw_symbols() {
    if (symbols_drawn_)
        return;
    symbols_drawn_ = true;
    const int size = symbol_size();
    marks_.draw_symbol_kind(error_marker_, symbol(Severity::Error, size));
    marks_.draw_symbol_kind(warning_marker_, symbol(Severity::Warning, size));
}

int CheckMarks::marker(Severity severity) const {
    return severity == Severity::Error ? error_marker_ : warning_marker_;
}

int CheckMarks::indicator(Severity severity) const {
    return severity == Severity::Error ? error_indicator_ : warning_indicator_;
}

void CheckMarks::clear() {
    remove_all();
    emit changed();
}

void CheckMarks::remove_all() {
    marks_.clear();
    places_.clear();
    errors_ = warnings_ = 0;
}

void CheckMarks::show(const std::vector<Finding>& findings) {
    if (!findings.empty())
        draw_symbols();
    remove_all();
    for (const Finding& finding : findings)
        ++(finding.severity == Severity::Error ? errors_ : warnings_);
    const long length = EditorText(editor_).length();
    const size_t marked = std::min(findings.size(), size_t(kMaxMarked));
    // Findings come in the order of the text: one symbol per line, the worst.
    for (size_t first = 0; first < marked;) {
        const int line = findings[first].line;
        size_t end = first;
        bool error = false;
        for (; end < marked && findings[end].line == line; ++end)
            error = error || findings[end].severity == Severity::Error;
        const Severity worst = error ? Severity::Error : Severity::Warning;
        marks_.add_symbol(line, marker(worst));
        for (size_t i = first; i < end; ++i) {
            const long at = std::clamp<long>(long(findings[i].offset), 0, std::max(0L, length - 1));
            underline(line, at, worst);
            anchor(at, findings[i].text);
        }
        first = end;
    }
    emit changed();
}

void CheckMarks::anchor(long at, const QString& text) {
    // Findings at one place share its anchor.
    if (!places_.empty() && marks_.anchor_at(at) == long(places_.size())) {
        if (!places_.back().contains(text))
            places_.back() << text;
        return;
    }
    places_.push_back({text});
    marks_.add_anchor(at, long(places_.size()));
}

void CheckMarks::underline(int line, long at, Severity severity) {
    const EditorText text(editor_);
    long from = text.line_indent(line);
    long to = text.line_end(line);
    if (to - from > kLongLine) {
        // The tag at the finding, up to its ">".
        from = at;
        const long limit = std::min(to, from + long(kLongLine));
        long end = from;
        while (end < limit && text.byte_at(end) != '>')
            ++end;
        to = std::min(limit, end + 1);
    }
    if (to > from)
        marks_.underline(indicator(severity), from, to);
}

bool CheckMarks::go(int direction) {
    if (places_.empty())
        return false;
    const EditorText text(editor_);
    const long caret = text.caret();
    const long length = text.length();
    long target =
        direction > 0 ? marks_.next_anchor(caret + 1, length) : marks_.previous_anchor(caret);
    if (target < 0) // round past the end
        target = direction > 0 ? marks_.next_anchor(0, length) : marks_.previous_anchor(length);
    if (target < 0)
        return false;
    marks_.go_to(target);
    show_messages_at(target);
    return true;
}

QStringList CheckMarks::messages_on_line(int line) const {
    QStringList messages;
    const EditorText text(editor_);
    const long lines = text.line_count();
    if (line < 0 || line >= lines)
        return messages;
    const long start = text.line_start(line);
    const long end = line + 1 < lines ? text.line_start(line + 1) : text.length();
    for (long at = marks_.next_anchor(start, end); at >= 0; at = marks_.next_anchor(at + 1, end)) {
        const long place = marks_.anchor_at(at);
        if (place >= 1 && place <= long(places_.size()))
            messages << places_[size_t(place - 1)];
    }
    messages.removeDuplicates();
    return messages;
}

QList<int> CheckMarks::marked_lines(Severity severity) const {
    return marks_.lines_with_symbol(marker(severity));
}

void CheckMarks::show_messages_at(long position) {
    const QStringList messages = messages_on_line(int(EditorText(editor_).line_of(position)));
    if (messages.isEmpty())
        return;
    QWidget* viewport = editor_->viewport();
    QToolTip::showText(viewport->mapToGlobal(marks_.point_below(position)), tooltip(messages),
                       viewport);
}

bool CheckMarks::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ToolTip || watched != editor_->viewport())
        return QObject::eventFilter(watched, event);
    const long line = marks_.line_at(static_cast<QHelpEvent*>(event)->pos());
    const QStringList messages = line >= 0 ? messages_on_line(int(line)) : QStringList();
    if (messages.isEmpty()) {
        QToolTip::hideText();
        return false;
    }
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tooltip(messages),
                       editor_->viewport());
    return true;
}
