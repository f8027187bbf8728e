// The few Qt widgets that need to behave differently from Qt's defaults so
// that the record, not the toolkit, decides what a click does.
#pragma once

#include <QLabel>
#include <QRadioButton>

namespace window {

// A label that reports a click: a press and a release inside it.
class ClickableLabel final : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool pressed_ = false;
};

// An option button that never checks itself: a click only asks the record,
// and the mark follows the record when the window redraws.
class RecordOptionButton final : public QRadioButton {
  Q_OBJECT

 public:
  explicit RecordOptionButton(QWidget* parent) : QRadioButton(parent) {
    setAutoExclusive(false);
  }

 protected:
  void nextCheckState() override {}
};

}  // namespace window
