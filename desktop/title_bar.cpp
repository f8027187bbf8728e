#include "desktop/title_bar.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <QWindow>

#include "controls/texts.h"
#include "layout/layout.h"
#include "layout/title_bar.h"
#include "window/game_font.h"
#include "window/qt_color.h"
#include "window/qt_text.h"
#include "window/window_back.h"

namespace desktop {
namespace {

// The close box: a cross, the one button the title bar has.
class CloseBox final : public QAbstractButton {
 public:
  explicit CloseBox(QWidget* parent) : QAbstractButton(parent) {
    setFixedSize(layout::kTitleBarPixels, layout::kTitleBarPixels);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::ArrowCursor);
    setAccessibleName(window::ToQString(texts::kCloseBoxName));
  }

 protected:
  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter painter(this);
    if (isDown() || underMouse()) painter.fillRect(rect(), window::ToColor(layout::kCloseBoxHover));
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
    setFont(window::GameFont(layout::kFontPixels));
    // Qt paints with the inactive group while the window is not active, and
    // repaints when that changes because the two groups differ.
    QPalette colours = palette();
    colours.setColor(QPalette::Active, QPalette::Window, window::ToColor(layout::kTitleBarBack));
    colours.setColor(QPalette::Active, QPalette::WindowText,
                     window::ToColor(layout::kTitleBarText));
    colours.setColor(QPalette::Inactive, QPalette::Window,
                     window::ToColor(layout::kInactiveTitleBarBack));
    colours.setColor(QPalette::Inactive, QPalette::WindowText,
                     window::ToColor(layout::kInactiveTitleBarText));
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
  // Whatever room the compositor gives beyond the title bar and the client
  // area shows the window's own back colour, as the client area does.
  void paintEvent(QPaintEvent* /*event*/) override {
    QPainter painter(this);
    painter.fillRect(rect(), window::WindowBack());
    painter.setPen(window::ToColor(layout::kTitleBarBack));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
};

}  // namespace

std::unique_ptr<QWidget> UnderOwnTitleBar(std::unique_ptr<QWidget> client) {
  return std::make_unique<FramedWindow>(std::move(client));
}

}  // namespace desktop
