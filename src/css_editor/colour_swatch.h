#pragma once

#include <QPushButton>
#include <optional>

// A small box that shows a colour and nothing else; clicking it (or Space or
// Enter while it has the focus) asks for a new colour. Until a colour is set
// it shows the palette's colour of text areas.
class ColourSwatch : public QPushButton {
    Q_OBJECT
  public:
    explicit ColourSwatch(QWidget* parent = nullptr);

    // The colour set, or nothing while the swatch shows its initial colour.
    std::optional<unsigned int> colour() const { return colour_; }
    void set_colour(unsigned int colour);
    // The colour shown, as red + 256 * green + 65536 * blue.
    unsigned int shown_colour() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::optional<unsigned int> colour_;
};
