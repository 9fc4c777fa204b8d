#include "writing_help/page_checker.h"

#include "writing_help/charset_finding.h"

#include <algorithm>

#include <sys/resource.h>
#include <unistd.h>

PageChecker::PageChecker(Text text, qsizetype size_limit, QObject* parent)
    : QObject(parent), text_(std::move(text)), size_limit_(size_limit) {
    pause_.setSingleShot(true);
    pause_.setInterval(std::chrono::milliseconds(500));
    connect(&pause_, &QTimer::timeout, this, &PageChecker::on_pause_over);
}

PageChecker::~PageChecker() {
    if (cancel_)
        cancel_->store(true);
    if (worker_)
        worker_->wait();
}

void PageChecker::text_changed() {
    ++generation_;
    // What is running checks an older text, whose result would be dropped:
    // it stops now instead of taking a processor from the change's frame
    // (in the pane too), and the pause brings a fresh check.
    if (worker_running_)
        cancel_->store(true);
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

void PageChecker::file_changed() {
    if (file_encoding() != checked_encoding_)
        text_changed();
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
        emit skipped(Skip::TooLarge);
        return;
    }
    if (worker_)
        worker_->wait(); // it has delivered its result and is ending
    emit started();
    cancel_ = std::make_shared<std::atomic<bool>>(false);
    checked_encoding_ = file_encoding();
    worker_.reset(QThread::create([this, generation = generation_, copy = text_.copy(),
                                   file = checked_encoding_, cancel = cancel_]() mutable {
        // The check is what comes last after a change: it yields a processor
        // to the frame the change brings (the page engine's, the edit
        // area's) whenever both want one. On Linux a thread has a niceness
        // of its own.
        setpriority(PRIO_PROCESS, id_t(gettid()), kNiceness);
        const std::optional<Finding> declaration = charset_finding(copy, file);
        auto result = std::make_shared<CheckResult>(check_page(std::move(copy), cancel.get()));
        if (declaration && result->complete) {
            auto& findings = result->findings;
            findings.insert(std::upper_bound(findings.begin(), findings.end(), *declaration,
                                             [](const Finding& a, const Finding& b) {
                                                 return a.offset < b.offset;
                                             }),
                            *declaration);
        }
        // Delivered on this object's thread; dropped if the object is gone
        // (its destructor waits for this thread first).
        QMetaObject::invokeMethod(
            this, [this, generation, result] { on_done(generation, result); },
            Qt::QueuedConnection);
    }));
    worker_->setStackSize(kStackSize);
    worker_->start();
    worker_running_ = worker_->isRunning() || worker_->isFinished();
    if (!worker_running_) { // no memory for its stack
        worker_.reset();
        emit skipped(Skip::NoThread);
    }
}

void PageChecker::on_done(quint64 generation, const std::shared_ptr<CheckResult>& result) {
    worker_running_ = false;
    if (wanted_) {
        wanted_ = false;
        start();
        return;
    }
    if (generation != generation_)
        return;
    if (result->too_deep)
        emit skipped(Skip::TooDeep);
    else if (result->complete)
        emit finished(result->findings);
}
