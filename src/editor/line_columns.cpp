#include "editor/line_columns.h"

#include "editor/editor_text.h"
#include "editor/utf8_units.h"

#include <Qsci/qsciscintilla.h>

#include <algorithm>
#include <cstdlib>

qsizetype LineColumns::column(qsizetype byte_position) {
    const auto length = qsizetype(widget_->SendScintilla(QsciScintillaBase::SCI_GETLENGTH));
    byte_position = qBound<qsizetype>(0, byte_position, length);
    const auto line = widget_->SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION,
                                             (unsigned long)byte_position);
    const auto line_start = qsizetype(
        widget_->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, (unsigned long)line));
    const bool anchor_usable = anchor_ >= line_start && anchor_ <= length &&
                               widget_->SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION,
                                                      (unsigned long)anchor_) == line &&
                               std::abs(byte_position - anchor_) < byte_position - line_start;
    if (!anchor_usable) {
        anchor_ = line_start;
        anchor_column_ = 0;
    }
    const auto parts = EditorText(widget_).parts();
    anchor_column_ += byte_position >= anchor_
                          ? utf8_units::between(parts, anchor_, byte_position)
                          : -utf8_units::between(parts, byte_position, anchor_);
    anchor_ = byte_position;
    return anchor_column_;
}

void LineColumns::before_insert(qsizetype at) {
    // Text inserted at the anchor or after it leaves the anchor's column as it
    // is, unless it goes between a CR and what follows it. Scintilla does not
    // say what text comes before it is in, so text inserted before the anchor
    // drops it.
    if (anchor_ < 0 || at > anchor_)
        return;
    if (at == anchor_ && !(at > 0 && widget_->SendScintilla(QsciScintillaBase::SCI_GETCHARAT,
                                                            (unsigned long)(at - 1)) == '\r'))
        return;
    anchor_ = -1;
}

void LineColumns::before_delete(qsizetype at, qsizetype length) {
    if (anchor_ < 0 || at >= anchor_)
        return;
    if (at + length > anchor_) {
        anchor_ = -1;
        return;
    }
    // The deleted bytes are still there: look at them in their two runs.
    const auto [first, second] = EditorText(widget_).parts();
    const qsizetype in_first = std::clamp<qsizetype>(first.size() - at, 0, length);
    const QByteArrayView a = first.sliced(std::min(at, first.size()), in_first);
    const QByteArrayView b =
        second.sliced(std::max<qsizetype>(0, at - first.size()), length - in_first);
    // A line break, or a deletion that joins a CR to an LF, moves the line start.
    const bool breaks =
        a.contains('\r') || a.contains('\n') || b.contains('\r') || b.contains('\n') ||
        (at > 0 &&
         widget_->SendScintilla(QsciScintillaBase::SCI_GETCHARAT, (unsigned long)(at - 1)) == '\r');
    if (breaks) {
        anchor_ = -1;
        return;
    }
    anchor_ -= length;
    anchor_column_ -= utf8_units::count(a.data(), a.size()) + utf8_units::count(b.data(), b.size());
}
