#include "writing_help/page_checker.h"

PageChecker::PageChecker(Text text, qsizetype size_limit, QObject* parent)
    : QObject(parent), text_(std::move(text)), size_limit_(size_limit) {
    pause_.setSingleShot(true);
    pause_.setInterval(std::chrono::milliseconds(500));
    connect(&pause_, &QTimer::timeout, this, &PageChecker::on_pause_over);
}

PageChecker::~PageChecker() {
    if (cancel_)
        cancel_->store(true);
    if (worker_.joinable())
        worker_.join();
}

void PageChecker::text_changed() {
    ++generation_;
    pause_.start();
}

void PageChecker::text_replaced() {
    ++generation_;
    pause_.stop();
    wanted_ = false;
    if (worker_running_)
        cancel_->store(true);
}

void PageChecker::check_now() {
    pause_.stop();
    on_pause_over();
}

void PageChecker::on_pause_over() {
    if (worker_running_) {
        // The newer text replaces the one being checked.
        cancel_->store(true);
        wanted_ = true;
        return;
    }
    start();
}

void PageChecker::start() {
    if (text_.size() > size_limit_) {
        emit skipped();
        return;
    }
    if (worker_.joinable())
        worker_.join(); // it has delivered its result and is ending
    emit started();
    cancel_ = std::make_shared<std::atomic<bool>>(false);
    worker_running_ = true;
    worker_ = std::thread(
        [this, generation = generation_, copy = text_.copy(), cancel = cancel_]() mutable {
            auto result = std::make_shared<CheckResult>(check_page(std::move(copy), cancel.get()));
            // Delivered on this object's thread; dropped if the object is gone
            // (its destructor waits for this thread first).
            QMetaObject::invokeMethod(
                this, [this, generation, result] { on_done(generation, result); },
                Qt::QueuedConnection);
        });
}

void PageChecker::on_done(quint64 generation, const std::shared_ptr<CheckResult>& result) {
    worker_running_ = false;
    if (wanted_) {
        wanted_ = false;
        start();
        return;
    }
    if (result->complete && generation == generation_)
        emit finished(result->findings);
}
