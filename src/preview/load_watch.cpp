#include "preview/load_watch.h"

#include <QPointer>

LoadWatch::LoadWatch(Ask ask, std::chrono::milliseconds patience,
                     std::chrono::milliseconds answer_time, QObject* parent)
    : QObject(parent), ask_(std::move(ask)), patience_(patience), answer_time_(answer_time) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (!watching_)
            return;
        // Asked and not answered in time: once more, then it is hung.
        if (unanswered_ >= 2) {
            stop();
            emit hung();
            return;
        }
        this->ask();
    });
}

void LoadWatch::start() {
    ++load_;
    watching_ = true;
    unanswered_ = 0;
    timer_.start(patience_);
}

void LoadWatch::stop() {
    ++load_;
    watching_ = false;
    timer_.stop();
}

void LoadWatch::ask() {
    ++unanswered_;
    timer_.start(answer_time_);
    const int load = load_;
    QPointer<LoadWatch> self(this);
    ask_([self, this, load](bool page_shown) {
        if (!self || load != load_ || !watching_)
            return; // the load has ended meanwhile
        unanswered_ = 0;
        if (page_shown) {
            stop();
            emit shown();
        } else {
            timer_.start(answer_time_); // still loading: ask again later
        }
    });
}
