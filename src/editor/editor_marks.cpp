#include "editor/editor_marks.h"

#include "editor/editor_text.h"

#include <Qsci/qsciscintilla.h>

using Sci = QsciScintillaBase;

EditorMarks::EditorMarks(QsciScintilla* editor, int margin)
    : editor_(editor), margin_(margin),
      anchors_(editor->indicatorDefine(QsciScintilla::HiddenIndicator)) {
    editor_->setMarginType(margin_, QsciScintilla::SymbolMargin);
}

int EditorMarks::add_symbol_kind() {
    const int kind = editor_->markerDefine(QsciScintilla::Invisible);
    symbol_kinds_ << kind;
    int mask = 0;
    for (const int each : symbol_kinds_)
        mask |= 1 << each;
    editor_->setMarginMarkerMask(margin_, mask);
    return kind;
}

void EditorMarks::draw_symbol_kind(int kind, const QImage& image) {
    editor_->markerDefine(image, kind);
}

int EditorMarks::add_underline_kind(const QColor& colour) {
    const int kind = editor_->indicatorDefine(QsciScintilla::SquiggleLowIndicator);
    editor_->setIndicatorForegroundColor(colour, kind);
    underline_kinds_ << kind;
    return kind;
}

void EditorMarks::set_margin_width(int pixels) {
    editor_->setMarginWidth(margin_, pixels);
}

int EditorMarks::line_height() const {
    return int(editor_->SendScintilla(Sci::SCI_TEXTHEIGHT, 0UL));
}

void EditorMarks::add_symbol(long line, int kind) {
    editor_->markerAdd(int(line), kind);
}

QList<int> EditorMarks::lines_with_symbol(int kind) const {
    QList<int> lines;
    const long mask = long(1u << kind);
    for (long line = editor_->SendScintilla(Sci::SCI_MARKERNEXT, 0UL, mask); line >= 0;
         line = editor_->SendScintilla(Sci::SCI_MARKERNEXT, (unsigned long)(line + 1), mask))
        lines << int(line);
    return lines;
}

void EditorMarks::underline(int kind, long from, long to) {
    editor_->SendScintilla(Sci::SCI_SETINDICATORCURRENT, (unsigned long)kind);
    editor_->SendScintilla(Sci::SCI_INDICATORFILLRANGE, (unsigned long)from, to - from);
}

void EditorMarks::add_anchor(long at, long number) {
    editor_->SendScintilla(Sci::SCI_SETINDICATORCURRENT, (unsigned long)anchors_);
    editor_->SendScintilla(Sci::SCI_SETINDICATORVALUE, (unsigned long)number);
    editor_->SendScintilla(Sci::SCI_INDICATORFILLRANGE, (unsigned long)at, 1L);
}

long EditorMarks::anchor_at(long at) const {
    return editor_->SendScintilla(Sci::SCI_INDICATORVALUEAT, (unsigned long)anchors_, at);
}

long EditorMarks::next_anchor(long from, long to) const {
    // Runs of the anchor indicator alternate between none and an anchor.
    for (long at = from; at < to;) {
        if (anchor_at(at))
            return at;
        const long end = editor_->SendScintilla(Sci::SCI_INDICATOREND, (unsigned long)anchors_, at);
        if (end <= at)
            break;
        at = end;
    }
    return -1;
}

long EditorMarks::previous_anchor(long before) const {
    for (long at = before - 1; at >= 0;) {
        if (anchor_at(at))
            return at;
        const long start =
            editor_->SendScintilla(Sci::SCI_INDICATORSTART, (unsigned long)anchors_, at);
        if (start <= 0)
            break;
        at = std::min(at, start) - 1;
    }
    return -1;
}

void EditorMarks::clear() {
    for (const int kind : symbol_kinds_)
        editor_->markerDeleteAll(kind);
    const long length = EditorText(editor_).length();
    for (const int kind : underline_kinds_ + QList<int>{anchors_}) {
        editor_->SendScintilla(Sci::SCI_SETINDICATORCURRENT, (unsigned long)kind);
        editor_->SendScintilla(Sci::SCI_INDICATORCLEARRANGE, 0UL, length);
    }
}

void EditorMarks::go_to(long position) {
    const long line = EditorText(editor_).line_of(position);
    editor_->SendScintilla(Sci::SCI_ENSUREVISIBLEENFORCEPOLICY, (unsigned long)line);
    editor_->SendScintilla(Sci::SCI_GOTOPOS, (unsigned long)position);
}

QPoint EditorMarks::point_below(long position) const {
    const long line = EditorText(editor_).line_of(position);
    return {int(editor_->SendScintilla(Sci::SCI_POINTXFROMPOSITION, 0UL, position)),
            int(editor_->SendScintilla(Sci::SCI_POINTYFROMPOSITION, 0UL, position)) +
                int(editor_->SendScintilla(Sci::SCI_TEXTHEIGHT, (unsigned long)line))};
}

long EditorMarks::line_at(QPoint point) const {
    const EditorText text(editor_);
    long margins = 0;
    const long count = editor_->SendScintilla(Sci::SCI_GETMARGINS);
    for (long margin = 0; margin < count; ++margin)
        margins += editor_->SendScintilla(Sci::SCI_GETMARGINWIDTHN, (unsigned long)margin);
    if (point.x() < margins) {
        // On the margins beside a line.
        const long position = editor_->SendScintilla(Sci::SCI_POSITIONFROMPOINT,
                                                     (unsigned long)(margins + 1), long(point.y()));
        const long line = text.line_of(position);
        const long top = editor_->SendScintilla(Sci::SCI_POINTYFROMPOSITION, 0UL, position);
        const long height = editor_->SendScintilla(Sci::SCI_TEXTHEIGHT, (unsigned long)line);
        return point.y() >= top && point.y() < top + height ? line : -1;
    }
    // On an underline.
    const long position = editor_->SendScintilla(Sci::SCI_POSITIONFROMPOINTCLOSE,
                                                 (unsigned long)point.x(), long(point.y()));
    if (position < 0)
        return -1;
    for (const int kind : underline_kinds_)
        if (editor_->SendScintilla(Sci::SCI_INDICATORVALUEAT, (unsigned long)kind, position))
            return text.line_of(position);
    return -1;
}
