// A radio button whose few looks are drawn once and then shown again as
// they are. Picking a door repaints all ten option buttons, and Qt would
// otherwise shape each caption and trace each mark again every time.
#pragma once

#include <QRadioButton>

namespace window {

// Keeps a picture of each look under everything the style reads to draw it:
// the option's state flags and caption, and the size, palette, font, scale,
// direction and style. The picture starts as the button's own background
// colour, so text gets the same smoothing it gets when drawn straight onto
// the window; a button that fills no background paints as Qt's does.
class KeptLookRadioButton : public QRadioButton {
 public:
  using QRadioButton::QRadioButton;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace window
