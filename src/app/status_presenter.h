#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <vector>

class ElidedLabel;
class QStatusBar;

// What the main window tells the user in its status bar: the newest message
// alone, of two kinds:
// - a notice ("Aperto ...", "Salvato ...") passes: it is shown for a few
//   seconds, then goes;
// - a failure ("Anteprima non aggiornata: ...") stands until the fault is
//   mended: a notice shown meanwhile passes over it, and then the failure
//   shows again; when one is mended, the newest failure left shows.
// Failures are keyed by what failed, so the code that mends a fault clears
// its own failure and no other. A message longer than the bar is cut with
// "…" and shown whole as the tooltip.
//
// Ownership: the label is a Qt child of the status bar, where it takes the
// room left of the permanent widgets.
class StatusPresenter : public QObject {
    Q_OBJECT
  public:
    static constexpr int kNoticeMs = 5000;

    explicit StatusPresenter(QStatusBar* bar);

    void notice(const QString& text, int timeout_ms = kNoticeMs);
    void failure(const QString& key, const QString& text);
    void mended(const QString& key);

    // The whole text shown now.
    QString text() const;
    ElidedLabel* label() const { return label_; }

  private:
    void show_text();

    struct Failure {
        QString key;
        QString text;
    };
    ElidedLabel* label_;
    std::vector<Failure> failures_; // in the order they happened
    QString notice_;
    QTimer notice_timer_;
};
