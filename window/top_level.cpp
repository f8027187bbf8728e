#include "window/top_level.h"

#include <QEvent>
#include <QScreen>

#include "controls/texts.h"
#include "layout/layout.h"
#include "window/compositor_decorations.h"
#include "window/qt_color.h"
#include "window/qt_text.h"
#include "window/title_bar.h"

namespace window {

bool DrawsOwnTitleBar() { return OnWayland() && !CompositorDrawsTitleBars(); }

namespace {

// Centres the window, frame and title bar included, on its screen when it
// is first shown. A window manager adds its frame only once the window
// maps, so the first time the frame is known it centres again by the whole
// of it. A Wayland compositor places windows itself and ignores the move.
class CentredOnFirstShow final : public QObject {
 public:
  explicit CentredOnFirstShow(QWidget* window) : QObject(window), window_(window) {
    window->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == window_) {
      if (event->type() == QEvent::Show && !shown_) {
        shown_ = true;
        Centre();
      } else if (event->type() == QEvent::Move && !centred_by_frame_ &&
                 window_->frameGeometry().size() != window_->size()) {
        centred_by_frame_ = true;
        Centre();
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  void Centre() {
    if (const QScreen* screen = window_->screen()) {
      QRect frame = window_->frameGeometry();
      frame.moveCenter(screen->availableGeometry().center());
      window_->move(frame.topLeft());
    }
  }

  QWidget* window_;
  bool shown_ = false;
  bool centred_by_frame_ = false;
};

}  // namespace

std::unique_ptr<QWidget> TopLevelFor(std::unique_ptr<QWidget> client) {
  return TopLevelFor(std::move(client), DrawsOwnTitleBar());
}

std::unique_ptr<QWidget> TopLevelFor(std::unique_ptr<QWidget> client, bool own_title_bar) {
  client->setFixedSize(client->sizeHint());
  std::unique_ptr<QWidget> top = std::move(client);
  if (own_title_bar) top = UnderOwnTitleBar(std::move(top));

  // No minimise or maximise box: the client area has one size.
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (own_title_bar) flags |= Qt::FramelessWindowHint;
  top->setWindowFlags(flags);
  top->setWindowTitle(ToQString(texts::kTitle));
  QPalette back = top->palette();
  back.setColor(QPalette::Window, ToColor(layout::kWindowBack));
  top->setPalette(back);
  top->setAutoFillBackground(true);
  new CentredOnFirstShow(top.get());
  return top;
}

}  // namespace window
