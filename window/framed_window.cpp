#include "window/framed_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

#include "controls/layout.h"
#include "controls/texts.h"
#include "window/compositor_decorations.h"
#include "window/control_widgets.h"
#include "window/qt_text.h"

namespace window {
namespace {

constexpr int kTitleHeight = 28;
constexpr int kIconSize = 20;
constexpr int kBorder = 1;

QColor ToColor(std::uint32_t rgb) { return QColor::fromRgb(static_cast<QRgb>(rgb)); }

}  // namespace

bool DrawsOwnTitleBar() {
  return QGuiApplication::platformName().startsWith(QLatin1String("wayland")) &&
         !CompositorDrawsTitleBars();
}

namespace {

// The close box: a cross, the one button the title bar has.
class CloseBox final : public QAbstractButton {
 public:
  explicit CloseBox(QWidget* parent) : QAbstractButton(parent) {
    setFixedSize(kTitleHeight, kTitleHeight);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
    setAccessibleName(ToQString(texts::kCloseBoxName));
  }

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter painter(this);
    if (isDown() || underMouse()) painter.fillRect(rect(), ToColor(layout::kCloseBoxHover));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 2));
    const QRectF cross = QRectF(rect()).adjusted(9, 9, -9, -9);
    painter.drawLine(cross.topLeft(), cross.bottomRight());
    painter.drawLine(cross.bottomLeft(), cross.topRight());
  }
};

// A strip with the icon and the caption; dragging it moves the window.
class TitleBar final : public QWidget {
 public:
  explicit TitleBar(QWidget* parent) : QWidget(parent) {
    setFixedHeight(kTitleHeight);
    setFont(GameFont(layout::kFontPixels));
    // Qt paints with the inactive group while the window is not active, and
    // repaints when that changes because the two groups differ.
    QPalette colours = palette();
    colours.setColor(QPalette::Active, QPalette::Window, ToColor(layout::kTitleBarBack));
    colours.setColor(QPalette::Active, QPalette::WindowText, ToColor(layout::kTitleBarText));
    colours.setColor(QPalette::Inactive, QPalette::Window, ToColor(layout::kInactiveTitleBarBack));
    colours.setColor(QPalette::Inactive, QPalette::WindowText,
                     ToColor(layout::kInactiveTitleBarText));
    setPalette(colours);
    auto* close = new CloseBox(this);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addStretch();
    row->addWidget(close);
    connect(close, &QAbstractButton::clicked, this, [this] { window()->close(); });
  }

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    const int margin = (kTitleHeight - kIconSize) / 2;
    window()->windowIcon().paint(&painter, QRect(margin, margin, kIconSize, kIconSize));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect().adjusted(kIconSize + 2 * margin, 0, -kTitleHeight, 0),
                     Qt::AlignLeft | Qt::AlignVCenter, window()->windowTitle());
  }

  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && window()->windowHandle() != nullptr) {
      window()->windowHandle()->startSystemMove();
    }
    event->accept();
  }

  // A double click on a title bar usually maximises; here it does nothing.
  void mouseDoubleClickEvent(QMouseEvent* event) override { event->accept(); }
};

// The window around the client area, which it takes ownership of and keeps
// whole in its middle whatever size the compositor imposes. Framed, it is
// the game's own title bar above the client area inside a thin border in
// the title bar's colour; unframed, it is the client area alone until the
// window grows.
class AroundClient final : public QWidget {
 public:
  AroundClient(std::unique_ptr<QWidget> client, bool framed) : framed_(framed) {
    QWidget* area = client.release();
    area->setParent(this);
    auto* column = new QVBoxLayout(this);
    const int border = framed ? kBorder : 0;
    column->setContentsMargins(border, border, border, border);
    column->setSpacing(0);
    if (framed) column->addWidget(new TitleBar(this));
    column->addWidget(area, 1, Qt::AlignCenter);
    // The layout makes the title bar and the client area the least size;
    // the window starts there and can only grow when the compositor says
    // so.
    resize(minimumSizeHint());
    setFocusProxy(area);
  }

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    if (!framed_) return;
    QPainter painter(this);
    painter.setPen(ToColor(layout::kTitleBarBack));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }

 private:
  bool framed_;
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
  if (own_title_bar) {
    top = std::make_unique<AroundClient>(std::move(top), /*framed=*/true);
  } else if (CompositorDrawsTitleBars()) {
    // The fixed size, least equal to greatest, keeps the compositor from
    // offering to maximise or tile the window. Full screen is the
    // compositor's to impose all the same, and Qt 6.8 then takes the
    // output's size for the window despite its greatest size: the client
    // area stays whole in the middle of it, and the window gets its own
    // size back afterwards.
    const QSize fixed = top->size();
    top = std::make_unique<AroundClient>(std::move(top), /*framed=*/false);
    top->setFixedSize(fixed);
    new FixedOutsideFullScreen(top.get(), fixed);
  }

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
