#pragma once

#include <QtGlobal>

#include <algorithm>

// The one span of text bytes a change made of several modifications (a
// paste over a selection, an undo, a load) covers: from `position`,
// `removed` bytes of the text before the change gave way to `added` bytes.
class ChangeSpan {
  public:
    struct Span {
        qsizetype position = 0, removed = 0, added = 0;
    };

    // One modification, in the text as it is just before it is made.
    void note(qsizetype at, qsizetype removed, qsizetype added) {
        if (!any_) {
            any_ = true;
            start_ = at;
            end_ = at + added;
        } else {
            // The span grows to cover this modification too, in the text after it.
            end_ = std::max(end_, at + removed) + added - removed;
            start_ = std::min(start_, at);
        }
        delta_ += added - removed;
    }
    // The span noted since the last take (all 0 when none), and afresh.
    Span take() {
        const Span span = any_ ? Span{start_, end_ - start_ - delta_, end_ - start_} : Span{};
        *this = ChangeSpan();
        return span;
    }

  private:
    bool any_ = false;
    // In the text as it is now: [start_, end_) holds the new bytes; delta_
    // is added minus removed.
    qsizetype start_ = 0, end_ = 0, delta_ = 0;
};
