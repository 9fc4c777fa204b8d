#include "writing_help/check_marks.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <Qsci/qsciscintilla.h>

namespace {

using Sci = QsciScintillaBase;

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

CheckMarks::CheckMarks(QsciScintilla* editor) : QObject(editor), editor_(editor) {
    // The symbols themselves are drawn when the first findings come: drawing
    // them loads a font, which the window's start need not wait for.
    error_marker_ = editor_->markerDefine(QsciScintilla::Invisible);
    warning_marker_ = editor_->markerDefine(QsciScintilla::Invisible);
    editor_->setMarginType(kMargin, QsciScintilla::SymbolMargin);
    editor_->setMarginWidth(kMargin, symbol_size() + 4);
    editor_->setMarginMarkerMask(kMargin, (1 << error_marker_) | (1 << warning_marker_));
    error_indicator_ = editor_->indicatorDefine(QsciScintilla::SquiggleLowIndicator);
    editor_->setIndicatorForegroundColor(QColor(0xd3, 0x2f, 0x2f), error_indicator_);
    warning_indicator_ = editor_->indicatorDefine(QsciScintilla::SquiggleLowIndicator);
    editor_->setIndicatorForegroundColor(QColor(0xd0, 0x8a, 0x00), warning_indicator_);
    anchor_indicator_ = editor_->indicatorDefine(QsciScintilla::HiddenIndicator);
    editor_->viewport()->installEventFilter(this);
}

int CheckMarks::symbol_size() const {
    return std::clamp(int(editor_->SendScintilla(Sci::SCI_TEXTHEIGHT, 0UL)) - 3, 10, 16);
}

void CheckMarks::draw_symbols() {
    if (symbols_drawn_)
        return;
    symbols_drawn_ = true;
    const int size = symbol_size();
    editor_->markerDefine(symbol(Severity::Error, size), error_marker_);
    editor_->markerDefine(symbol(Severity::Warning, size), warning_marker_);
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
    editor_->markerDeleteAll(error_marker_);
    editor_->markerDeleteAll(warning_marker_);
    const long length = editor_->SendScintilla(Sci::SCI_GETLENGTH);
    for (const int number : {error_indicator_, warning_indicator_, anchor_indicator_}) {
        editor_->SendScintilla(Sci::SCI_SETINDICATORCURRENT, (unsigned long)number);
        editor_->SendScintilla(Sci::SCI_INDICATORCLEARRANGE, 0UL, length);
    }
    places_.clear();
    errors_ = warnings_ = 0;
}

void CheckMarks::show(const std::vector<Finding>& findings) {
    if (!findings.empty())
        draw_symbols();
    remove_all();
    for (const Finding& finding : findings)
        ++(finding.severity == Severity::Error ? errors_ : warnings_);
    const long length = editor_->SendScintilla(Sci::SCI_GETLENGTH);
    const size_t marked = std::min(findings.size(), size_t(kMaxMarked));
    // Findings come in the order of the text: one symbol per line, the worst.
    for (size_t first = 0; first < marked;) {
        const int line = findings[first].line;
        size_t end = first;
        bool error = false;
        for (; end < marked && findings[end].line == line; ++end)
            error = error || findings[end].severity == Severity::Error;
        const Severity worst = error ? Severity::Error : Severity::Warning;
        editor_->markerAdd(line, marker(worst));
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
    if (!places_.empty() &&
        editor_->SendScintilla(Sci::SCI_INDICATORVALUEAT, (unsigned long)anchor_indicator_, at) ==
            long(places_.size())) {
        if (!places_.back().contains(text))
            places_.back() << text;
        return;
    }
    places_.push_back({text});
    editor_->SendScintilla(Sci::SCI_SETINDICATORCURRENT, (unsigned long)anchor_indicator_);
    editor_->SendScintilla(Sci::SCI_SETINDICATORVALUE, (unsigned long)places_.size());
    editor_->SendScintilla(Sci::SCI_INDICATORFILLRANGE, (unsigned long)at, 1L);
}

void CheckMarks::underline(int line, long at, Severity severity) {
    long from = editor_->SendScintilla(Sci::SCI_GETLINEINDENTPOSITION, (unsigned long)line);
    long to = editor_->SendScintilla(Sci::SCI_GETLINEENDPOSITION, (unsigned long)line);
    if (to - from > kLongLine) {
        // The tag at the finding, up to its ">".
        from = at;
        const long limit = std::min(to, from + long(kLongLine));
        long end = from;
        while (end < limit && editor_->SendScintilla(Sci::SCI_GETCHARAT, (unsigned long)end) != '>')
            ++end;
        to = std::min(limit, end + 1);
    }
    if (to <= from)
        return;
    editor_->SendScintilla(Sci::SCI_SETINDICATORCURRENT, (unsigned long)indicator(severity));
    editor_->SendScintilla(Sci::SCI_INDICATORFILLRANGE, (unsigned long)from, to - from);
}

long CheckMarks::anchor_value(long at) const {
    return editor_->SendScintilla(Sci::SCI_INDICATORVALUEAT, (unsigned long)anchor_indicator_, at);
}

long CheckMarks::next_anchor(long from, long to) const {
    // Runs of the anchor indicator alternate between none and a place.
    for (long at = from; at < to;) {
        if (anchor_value(at))
            return at;
        const long end =
            editor_->SendScintilla(Sci::SCI_INDICATOREND, (unsigned long)anchor_indicator_, at);
        if (end <= at)
            break;
        at = end;
    }
    return -1;
}

long CheckMarks::previous_anchor(long before) const {
    for (long at = before - 1; at >= 0;) {
        if (anchor_value(at))
            return at;
        const long start =
            editor_->SendScintilla(Sci::SCI_INDICATORSTART, (unsigned long)anchor_indicator_, at);
        if (start <= 0)
            break;
        at = std::min(at, start) - 1;
    }
    return -1;
}

bool CheckMarks::go(int direction) {
    if (places_.empty())
        return false;
    const long caret = editor_->SendScintilla(Sci::SCI_GETCURRENTPOS);
    const long length = editor_->SendScintilla(Sci::SCI_GETLENGTH);
    long target = direction > 0 ? next_anchor(caret + 1, length) : previous_anchor(caret);
    if (target < 0) // round past the end
        target = direction > 0 ? next_anchor(0, length) : previous_anchor(length);
    if (target < 0)
        return false;
    const long line = editor_->SendScintilla(Sci::SCI_LINEFROMPOSITION, (unsigned long)target);
    editor_->SendScintilla(Sci::SCI_ENSUREVISIBLEENFORCEPOLICY, (unsigned long)line);
    editor_->SendScintilla(Sci::SCI_GOTOPOS, (unsigned long)target);
    show_messages_at(target);
    return true;
}

QStringList CheckMarks::messages_on_line(int line) const {
    QStringList messages;
    if (line < 0 || line >= editor_->SendScintilla(Sci::SCI_GETLINECOUNT))
        return messages;
    const long start = editor_->SendScintilla(Sci::SCI_POSITIONFROMLINE, (unsigned long)line);
    const long end =
        line + 1 < editor_->SendScintilla(Sci::SCI_GETLINECOUNT)
            ? editor_->SendScintilla(Sci::SCI_POSITIONFROMLINE, (unsigned long)(line + 1))
            : editor_->SendScintilla(Sci::SCI_GETLENGTH);
    for (long at = next_anchor(start, end); at >= 0; at = next_anchor(at + 1, end)) {
        const long place = anchor_value(at);
        if (place >= 1 && place <= long(places_.size()))
            messages << places_[size_t(place - 1)];
    }
    messages.removeDuplicates();
    return messages;
}

QList<int> CheckMarks::marked_lines(Severity severity) const {
    QList<int> lines;
    const unsigned mask = 1u << marker(severity);
    for (long line = editor_->SendScintilla(Sci::SCI_MARKERNEXT, 0UL, long(mask)); line >= 0;
         line = editor_->SendScintilla(Sci::SCI_MARKERNEXT, (unsigned long)(line + 1), long(mask)))
        lines << int(line);
    return lines;
}

void CheckMarks::show_messages_at(long position) {
    const int line =
        int(editor_->SendScintilla(Sci::SCI_LINEFROMPOSITION, (unsigned long)position));
    const QStringList messages = messages_on_line(line);
    if (messages.isEmpty())
        return;
    const QPoint at(int(editor_->SendScintilla(Sci::SCI_POINTXFROMPOSITION, 0UL, position)),
                    int(editor_->SendScintilla(Sci::SCI_POINTYFROMPOSITION, 0UL, position)) +
                        int(editor_->SendScintilla(Sci::SCI_TEXTHEIGHT, (unsigned long)line)));
    QWidget* viewport = editor_->viewport();
    QToolTip::showText(viewport->mapToGlobal(at), tooltip(messages), viewport);
}

bool CheckMarks::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ToolTip || watched != editor_->viewport())
        return QObject::eventFilter(watched, event);
    const QPoint point = static_cast<QHelpEvent*>(event)->pos();
    long margins = 0;
    const long count = editor_->SendScintilla(Sci::SCI_GETMARGINS);
    for (long margin = 0; margin < count; ++margin)
        margins += editor_->SendScintilla(Sci::SCI_GETMARGINWIDTHN, (unsigned long)margin);
    int line = -1;
    if (point.x() < margins) {
        // On the margin beside a line.
        const long position = editor_->SendScintilla(Sci::SCI_POSITIONFROMPOINT,
                                                     (unsigned long)(margins + 1), long(point.y()));
        line = int(editor_->SendScintilla(Sci::SCI_LINEFROMPOSITION, (unsigned long)position));
        const long top = editor_->SendScintilla(Sci::SCI_POINTYFROMPOSITION, 0UL, position);
        if (point.y() < top ||
            point.y() >= top + editor_->SendScintilla(Sci::SCI_TEXTHEIGHT, (unsigned long)line))
            line = -1;
    } else {
        // On an underline.
        const long position = editor_->SendScintilla(Sci::SCI_POSITIONFROMPOINTCLOSE,
                                                     (unsigned long)point.x(), long(point.y()));
        if (position >= 0 && (editor_->SendScintilla(Sci::SCI_INDICATORVALUEAT,
                                                     (unsigned long)error_indicator_, position) ||
                              editor_->SendScintilla(Sci::SCI_INDICATORVALUEAT,
                                                     (unsigned long)warning_indicator_, position)))
            line = int(editor_->SendScintilla(Sci::SCI_LINEFROMPOSITION, (unsigned long)position));
    }
    const QStringList messages = line >= 0 ? messages_on_line(line) : QStringList();
    if (messages.isEmpty()) {
        QToolTip::hideText();
        return false;
    }
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), tooltip(messages),
                       editor_->viewport());
    return true;
}
