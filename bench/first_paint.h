// Shared by the two start-up probes: shows a window, and once its first
// paint has reached the screen prints "painted" and leaves, so the driver
// can time the whole start and read the peak memory.
#pragma once

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace bench {

class FirstPaint final : public QObject {
 public:
  explicit FirstPaint(QWidget* window) { window->installEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !seen_) {
      seen_ = true;
      // Report after this paint and its flush have finished.
      QTimer::singleShot(0, [] {
        std::puts("painted");
        std::fflush(stdout);
        QApplication::quit();
      });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool seen_ = false;
};

}  // namespace bench
