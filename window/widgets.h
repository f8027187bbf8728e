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
  // Named as Qt's own buttons name it, so it connects like theirs.
  void clicked();  // NOLINT(readability-identifier-naming)

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool pressed_ = false;
};

// An option button that never checks itself: a click only asks the record,
// and the mark follows the record when the window redraws. It is not
// auto-exclusive, because the record, not Qt, keeps each group to one
// selection; so every button is its own tab stop, and arrow keys move the
// focus without picking a door by accident. Its whole coloured strip takes
// the click, not only the mark and caption.
class RecordOptionButton final : public QRadioButton {
  Q_OBJECT

 public:
  explicit RecordOptionButton(QWidget* parent);

  // Screen readers would call a non-exclusive radio button a check box;
  // this tells them what it is. Call before the first button is built; a
  // second call does nothing.
  static void InstallAccessibility();

 protected:
  void nextCheckState() override {}
  bool hitButton(const QPoint& position) const override { return rect().contains(position); }
};

}  // namespace window
