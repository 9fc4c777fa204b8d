#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>

// Watches the preview's page for a hang, at any time: while a load of it is
// in flight, and while it is shown.
//
// A load that has not finished after `patience` is asked whether its page
// still answers: a page that answers and is shown is only waiting for slow
// resources (a far server) and counts as done; one that answers but is not
// shown yet is asked again. A page shown gives a sign of life now and then
// (the program's script in it); when none has come for `patience`, it is
// asked the same way (a page in a hidden pane may give none for a while, and
// answers). A page that leaves two questions in a row unanswered is hung (an
// endless script, a page too deep to lay out).
class PageWatch : public QObject {
    Q_OBJECT
  public:
    // Asks the page; runs the callback (with "shown") only if the page answers.
    using Ask = std::function<void(std::function<void(bool shown)> answered)>;

    PageWatch(Ask ask, std::chrono::milliseconds patience, std::chrono::milliseconds answer_time,
              QObject* parent = nullptr);

    void start(); // a load began
    void stop();  // it finished: the page it shows is watched from now on
    void alive(); // the page shown gave a sign of life
    void pause(); // nothing to watch (the pane's own notice)

  signals:
    void shown(); // a slow load, but the page is there
    void hung();

  private:
    enum class State { Paused, Loading, Shown };
    void watch(State state);
    void ask();

    Ask ask_;
    std::chrono::milliseconds patience_;
    std::chrono::milliseconds answer_time_;
    QTimer timer_;
    State state_ = State::Paused;
    int round_ = 0; // which watch an answer belongs to
    int unanswered_ = 0;
};
