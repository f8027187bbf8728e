// Keeps the keyboard focus inside an area across a redraw. Qt drops the
// focus when a control, or the frame around it, is locked or hidden, and
// the next Tab would start from nowhere.
#pragma once

#include <QPointer>
#include <QWidget>

namespace window {

// Notes which control of the area has the focus; when it goes out of
// scope, passes the focus on from there, as Tab would, if the redraw in
// between has locked or hidden that control.
class KeptFocus {
 public:
  explicit KeptFocus(QWidget& area);
  ~KeptFocus();

  KeptFocus(const KeptFocus&) = delete;
  KeptFocus& operator=(const KeptFocus&) = delete;

 private:
  QWidget& area_;
  // The area's own focus child, which it keeps even while the window is
  // inactive.
  QPointer<QWidget> had_focus_;
};

}  // namespace window
