#pragma once

#include <QLabel>

// A one-line label that shows as much of its text as fits, ending in "…" when
// cut, and then offers the whole text as its tooltip. Plain text only: what is
// set is what is shown.
class ElidedLabel : public QLabel {
    Q_OBJECT
  public:
    explicit ElidedLabel(QWidget* parent = nullptr);
    ElidedLabel(const QString& text, QWidget* parent = nullptr);

    void set_full_text(const QString& text);
    const QString& full_text() const { return full_; }
    // True when the text is shown cut.
    bool elided() const { return text() != full_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void fit();

    QString full_;
};
