#pragma once

#include "document/document_codec.h"
#include "writing_help/page_check.h"

#include <QObject>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>

// Checks the page after the user pauses, on a worker thread, one check at a
// time; the edit area is never blocked.
//
// A check works on a copy of the text taken when the pause ends. A change
// cancels a check still running (a pause that ends before it has stopped
// starts over once it has), so no more than one copy is ever held. A result
// is shown only when the text has not changed since its copy was taken: a
// stale result is dropped, and the pause that followed the change brings a
// fresh one.
//
// Texts over the size limit are not checked, nor those nested too deep for
// the checker (skipped() instead). Besides the checker's findings, a
// declaration of the page's encoding that its file does not match is one.
//
// The worker thread's stack is the checker's own size, whatever the
// process's limit for stacks (which can be a few hundred kilobytes). It runs
// at the lowest priority (kNiceness): a check gives way to whatever else
// wants a processor, the frames of a change first.
//
// Ownership: the worker thread is joined before the object is destroyed.
class PageChecker : public QObject {
    Q_OBJECT
  public:
    struct Text {
        std::function<qsizetype()> size;  // in bytes
        std::function<QByteArray()> copy; // the whole text, UTF-8
        std::function<Encoding()> file;   // what its file is saved in; unset: UTF-8
    };
    enum class Skip { TooLarge, TooDeep, NoThread };
    Q_ENUM(Skip)
    static constexpr uint kStackSize = 8 * 1024 * 1024;
    static constexpr int kNiceness = 19;
    PageChecker(Text text, qsizetype size_limit, QObject* parent = nullptr);
    ~PageChecker() override;

    // The text has changed (or is about to): what is running is stale, and
    // the pause starts again.
    void text_changed();
    // The text was replaced whole: what is running or waiting is stale, and
    // nothing is checked until the next text_changed() or check_now().
    void text_replaced();
    // Checks the text as it stands without waiting for a pause.
    void check_now();
    // The file's encoding may have changed (saved in another): checks again
    // when it did.
    void file_changed();
    void set_pause(std::chrono::milliseconds pause) { pause_.setInterval(pause); }
    bool running() const { return worker_running_; }

  signals:
    // The pause is over and a check begins.
    void started();
    // The findings of the text as it stands.
    void finished(const std::vector<Finding>& findings);
    // The text is not checked, for this reason.
    void skipped(PageChecker::Skip why);

  private:
    void on_pause_over();
    void start();
    void on_done(quint64 generation, const std::shared_ptr<CheckResult>& result);

    Encoding file_encoding() const { return text_.file ? text_.file() : Encoding::Utf8; }

    Text text_;
    qsizetype size_limit_;
    Encoding checked_encoding_ = Encoding::Utf8;
    QTimer pause_;
    quint64 generation_ = 0;
    bool worker_running_ = false;
    bool wanted_ = false; // a check is due once the running one has stopped
    std::shared_ptr<std::atomic<bool>> cancel_;
    std::unique_ptr<QThread> worker_;
};
