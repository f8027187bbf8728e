#include "window/framed_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

#include "controls/texts.h"
#include "layout/layout.h"
#include "layout/title_bar.h"
#include "window/compositor_decorations.h"
#include "window/control_widgets.h"
#include "window/qt_text.h"

namespace window {
namespace {

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
    setFixedSize(layout::kTitleBarPixels, layout::kTitleBarPixels);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
    setAccessibleName(ToQString(texts::kCloseBoxName));
  }

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter painter(this);
    if (isDown() || underMouse()) painter.fillRect(rect(), ToColor(layout::kCloseBoxHover));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::WindowText), layout::kCloseCrossPenPixels));
    const int inset = layout::kCloseCrossInsetPixels;
    const QRectF cross = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    painter.drawLine(cross.topLeft(), cross.bottomRight());
    painter.drawLine(cross.bottomLeft(), cross.topRight());
  }
};

// A strip with the icon and the caption; dragging it moves the window.
class TitleBar final : public QWidget {
 public:
  explicit TitleBar(QWidget* parent) : QWidget(parent) {
    setFixedHeight(layout::kTitleBarPixels);
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
    const int margin = (layout::kTitleBarPixels - layout::kTitleIconPixels) / 2;
    window()->windowIcon().paint(
        &painter, QRect(margin, margin, layout::kTitleIconPixels, layout::kTitleIconPixels));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(
        rect().adjusted(layout::kTitleIconPixels + 2 * margin, 0, -layout::kTitleBarPixels, 0),
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

// The title bar above the client area, which it takes ownership of, inside
// a thin border in the title bar's colour.
class FramedWindow final : public QWidget {
 public:
  explicit FramedWindow(std::unique_ptr<QWidget> client) {
    QWidget* area = client.release();
    area->setParent(this);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(layout::kWindowBorderPixels, layout::kWindowBorderPixels,
                               layout::kWindowBorderPixels, layout::kWindowBorderPixels);
    column->setSpacing(0);
    column->addWidget(new TitleBar(this));
    column->addWidget(area, 1, Qt::AlignCenter);
    // The layout makes the title bar and the client area the least size;
    // the window starts there and can only grow when the compositor says
    // so.
    resize(minimumSizeHint());
    setFocusProxy(area);
  }

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter painter(this);
    painter.setPen(ToColor(layout::kTitleBarBack));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
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
  if (own_title_bar) top = std::make_unique<FramedWindow>(std::move(top));

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
