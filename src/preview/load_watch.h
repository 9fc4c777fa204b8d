#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>

// Watches one load of the preview at a time. A load that has not finished
// after `patience` is asked whether its page still answers: a page that
// answers and is shown is only waiting for slow resources (a far server) and
// counts as done; one that answers but is not shown yet is asked again; one
// that leaves two questions in a row unanswered is hung (an endless script,
// a page too deep to lay out).
class LoadWatch : public QObject {
    Q_OBJECT
  public:
    // Asks the page; runs the callback (with "shown") only if the page answers.
    using Ask = std::function<void(std::function<void(bool shown)> answered)>;

    LoadWatch(Ask ask, std::chrono::milliseconds patience, std::chrono::milliseconds answer_time,
              QObject* parent = nullptr);

    void start(); // a load began
    void stop();  // it finished

  signals:
    void shown(); // slow, but the page is there
    void hung();

  private:
    void ask();

    Ask ask_;
    std::chrono::milliseconds patience_;
    std::chrono::milliseconds answer_time_;
    QTimer timer_;
    int load_ = 0; // which load an answer belongs to
    int unanswered_ = 0;
    bool watching_ = false;
};
