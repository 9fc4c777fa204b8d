#pragma once

#include <QObject>
#include <functional>

// Tells when the Alt key is pressed and released with nothing in between (no
// other key, no click, no wheel, no change of window): the gesture that puts
// a menu bar in keyboard mode. Only key events sent to objects for which
// `watched` answers true count.
//
// Installed as an event filter of the application for as long as it lives.
class AltTap : public QObject {
    Q_OBJECT
  public:
    AltTap(std::function<bool(QObject*)> watched, QObject* parent);
    ~AltTap() override;

    // Forgets an Alt pressed so far (its key made a shortcut).
    void cancel() { pressed_ = false; }

  signals:
    void tapped();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::function<bool(QObject*)> watched_;
    bool pressed_ = false;
};
