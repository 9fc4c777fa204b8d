#include "editor/change_notice.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>

ChangeNotice::ChangeNotice(QObject* parent) : QObject(parent) {
    idle_fallback_.setSingleShot(true);
    idle_fallback_.setInterval(10);
    connect(&idle_fallback_, &QTimer::timeout, this, &ChangeNotice::on_idle);
}

void ChangeNotice::note_edit(qsizetype at, qsizetype removed, qsizetype added) {
    ++revision_;
    span_.note(at, removed, added);
}

void ChangeNotice::report() {
    const ChangeSpan::Span span = span_.take();
    emit reported(span.position, span.removed, span.added, revision_);
}

void ChangeNotice::text_changed() {
    if (quiet_ > 0 || pending_)
        return;
    pending_ = true;
    QMetaObject::invokeMethod(this, &ChangeNotice::after_input, Qt::QueuedConnection);
}

void ChangeNotice::input_arrived() {
    if (pending_ && quiet_ == 0)
        flush();
}

void ChangeNotice::after_input() {
    // The input event has been handled in full, and the repaint it asked for
    // waits in the queue. The notice waits until the event loop is about to
    // wait: by then the repaint is done and has been handed to the window
    // system (which happens right then), so the user sees the keystroke
    // before anything reacts to it, the writing of the preview file included.
    // (A loop driven without waiting, as by a test, gets it from a timer.)
    if (!pending_)
        return;
    if (auto* loop = QAbstractEventDispatcher::instance())
        connect(loop, &QAbstractEventDispatcher::aboutToBlock, this, &ChangeNotice::on_idle,
                Qt::UniqueConnection);
    idle_fallback_.start();
}

void ChangeNotice::on_idle() {
    idle_fallback_.stop();
    if (auto* loop = QAbstractEventDispatcher::instance())
        disconnect(loop, &QAbstractEventDispatcher::aboutToBlock, this, &ChangeNotice::on_idle);
    if (pending_)
        QCoreApplication::postEvent(this, new QEvent(notice_event()), Qt::LowEventPriority);
}

QEvent::Type ChangeNotice::notice_event() {
    static const auto type = QEvent::Type(QEvent::registerEventType());
    return type;
}

bool ChangeNotice::event(QEvent* event) {
    if (event->type() != notice_event())
        return QObject::event(event);
    flush();
    return true;
}

void ChangeNotice::flush() {
    if (!pending_)
        return;
    pending_ = false;
    report();
}
