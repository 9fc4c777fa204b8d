#include "preview/page_watch.h"

#include <QPointer>

PageWatch::PageWatch(Ask ask, std::chrono::milliseconds patience,
                     std::chrono::milliseconds answer_time, QObject* parent)
    : QObject(parent), ask_(std::move(ask)), patience_(patience), answer_time_(answer_time) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (state_ == State::Paused)
            return;
        // Asked and not answered in time: once more, then it is hung.
        if (unanswered_ >= 2) {
            pause();
            emit hung();
            return;
        }
        this->ask();
    });
}

void PageWatch::watch(State state) {
    ++round_;
    state_ = state;
    unanswered_ = 0;
    if (state == State::Paused)
        timer_.stop();
    else
        timer_.start(patience_);
}

void PageWatch::start() {
    watch(State::Loading);
}

void PageWatch::stop() {
    watch(State::Shown);
}

void PageWatch::pause() {
    watch(State::Paused);
}

void PageWatch::alive() {
    // Only a page shown: a sign from the page a load replaces says nothing
    // of the new one.
    if (state_ == State::Shown)
        watch(State::Shown);
}

void PageWatch::ask() {
    ++unanswered_;
    timer_.start(answer_time_);
    const int round = round_;
    QPointer<PageWatch> self(this);
    ask_([self, this, round](bool page_shown) {
        if (!self || round != round_ || state_ == State::Paused)
            return; // the watch has moved on meanwhile
        unanswered_ = 0;
        if (state_ == State::Shown) {
            timer_.start(patience_);
        } else if (page_shown) {
            stop();
            emit shown();
        } else {
            timer_.start(answer_time_); // still loading: ask again later
        }
    });
}
