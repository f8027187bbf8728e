#include "desktop/top_level.h"

#include <QEvent>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

#include "controls/texts.h"
#include "desktop/compositor_decorations.h"
#include "desktop/title_bar.h"
#include "window/qt_text.h"
#include "window/window_back.h"

namespace desktop {

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

// The window around the client area, which it takes ownership of, where the
// compositor draws the title bar: the client area alone until the
// compositor makes the window larger, then the client area whole in its
// middle.
class CentringWindow final : public QWidget {
 public:
  explicit CentringWindow(std::unique_ptr<QWidget> client) {
    QWidget* area = client.release();
    area->setParent(this);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(area, 1, Qt::AlignCenter);
    resize(minimumSizeHint());
    setFocusProxy(area);
  }

 protected:
  // Whatever room the compositor gives beyond the client area shows the
  // window's own back colour, as the client area does.
  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter(this).fillRect(rect(), window::WindowBack());
  }
};

// Gives a window of fixed size its size back whenever it is neither full
// screen nor maximised. Leaving full screen, sway asks for the size the
// window had there, and Qt 6.8 takes a compositor's size over the window's
// greatest: the floating window would stay as large as the output.
class FixedOutsideFullScreen final : public QObject {
 public:
  FixedOutsideFullScreen(QWidget* window, QSize fixed)
      : QObject(window), window_(window), fixed_(fixed) {
    window->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == window_ &&
        (event->type() == QEvent::Resize || event->type() == QEvent::WindowStateChange)) {
      // Once the event is handled: Qt reports a new state before it applies
      // the size that comes with it.
      QMetaObject::invokeMethod(this, &FixedOutsideFullScreen::Restore, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  void Restore() {
    if (window_->windowState() & (Qt::WindowFullScreen | Qt::WindowMaximized)) return;
    if (window_->size() != fixed_) window_->resize(fixed_);
  }

  QWidget* window_;
  QSize fixed_;
};

}  // namespace

std::unique_ptr<QWidget> TopLevelFor(std::unique_ptr<QWidget> client, bool own_title_bar) {
  client->setFixedSize(client->sizeHint());
  std::unique_ptr<QWidget> top = std::move(client);
  if (own_title_bar) {
    top = UnderOwnTitleBar(std::move(top));
  } else if (CompositorDrawsTitleBars()) {
    // The fixed size, least equal to greatest, keeps the compositor from
    // offering to maximise or tile the window. Full screen is the
    // compositor's to impose all the same, and Qt 6.8 then takes the
    // output's size for the window despite its greatest size: the client
    // area stays whole in the middle of it, and the window gets its own
    // size back afterwards.
    const QSize fixed = top->size();
    top = std::make_unique<CentringWindow>(std::move(top));
    top->setFixedSize(fixed);
    new FixedOutsideFullScreen(top.get(), fixed);
  }

  // No minimise or maximise box: the client area has one size.
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (own_title_bar) flags |= Qt::FramelessWindowHint;
  top->setWindowFlags(flags);
  top->setWindowTitle(window::ToQString(texts::kTitle));
  new CentredOnFirstShow(top.get());
  return top;
}

}  // namespace desktop
