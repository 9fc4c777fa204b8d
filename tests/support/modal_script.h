#pragma once

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>

// Answers the modal dialogs a command opens, one step per dialog, in order:
// each step runs on the next modal window that was not handled yet. Steps not
// used by the end of the test are reported by remaining().
class ModalScript : public QObject {
  public:
    using Step = std::function<void(QWidget* dialog)>;

    explicit ModalScript(std::deque<Step> steps) : steps_(std::move(steps)) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, this, &ModalScript::poll);
        timer_.start();
    }

    std::size_t remaining() const { return steps_.size(); }
    // Titles of the dialogs handled, in order.
    QStringList titles;

  private:
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == last_ || steps_.empty())
            return;
        last_ = modal;
        titles << modal->windowTitle();
        Step step = std::move(steps_.front());
        steps_.pop_front();
        step(modal);
    }

    std::deque<Step> steps_;
    QPointer<QWidget> last_;
    QTimer timer_;
};
