#pragma once

#include "platform/edit_area.h"

// An edit area on a plain QString, for tests of what the program does with
// the text, selection and caret.
class FakeEditArea : public EditArea {
  public:
    QString text() const override { return text_; }
    void set_text(const QString& text) override {
        text_ = text;
        start_ = text.size();
        length_ = 0;
        emit changed();
    }
    QString selected_text() const override { return text_.mid(start_, length_); }
    void replace_selection(const QString& text) override {
        text_.replace(start_, length_, text);
        start_ += text.size();
        length_ = 0;
        ++replacements;
        emit changed();
    }
    qsizetype caret() const override { return start_ + length_; }
    void set_caret(qsizetype position) override {
        start_ = qBound<qsizetype>(0, position, text_.size());
        length_ = 0;
    }
    void select(qsizetype start, qsizetype length) override {
        start_ = start;
        length_ = length;
    }
    qsizetype selection_start() const override { return start_; }
    qsizetype selection_length() const override { return length_; }
    void give_focus() override { ++focus_requests; }

    int replacements = 0;
    int focus_requests = 0;

  private:
    QString text_;
    qsizetype start_ = 0;
    qsizetype length_ = 0;
};
