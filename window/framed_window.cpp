#include "window/framed_window.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
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
// Fixed colours, like the rest of the window, so no desktop theme can make
// the caption unreadable.
constexpr QRgb kTitleBack = 0x404070;
constexpr QRgb kTitleText = 0xFFFFFF;
// An inactive window's bar fades, as title bars do, and stays readable.
constexpr QRgb kInactiveTitleBack = 0xB8B8CC;
constexpr QRgb kInactiveTitleText = 0x303040;
constexpr QRgb kCloseHover = 0xC04040;

}  // namespace

bool DrawsOwnTitleBar() {
  return QGuiApplication::platformName().startsWith(QLatin1String("wayland")) &&
         !CompositorDrawsTitleBars();
}

std::unique_ptr<QWidget> TopLevelFor(std::unique_ptr<QWidget> client) {
  if (!DrawsOwnTitleBar()) return client;
  return std::make_unique<FramedWindow>(std::move(client));
}

CloseBox::CloseBox(QWidget* parent) : QAbstractButton(parent) {
  setFixedSize(kTitleHeight, kTitleHeight);
  setFocusPolicy(Qt::NoFocus);
  setCursor(Qt::ArrowCursor);
  setAccessibleName(QStringLiteral("Затвори"));
}

void CloseBox::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  if (isDown() || underMouse()) painter.fillRect(rect(), QColor::fromRgb(kCloseHover));
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(palette().color(QPalette::WindowText), 2));
  const QRectF cross = QRectF(rect()).adjusted(9, 9, -9, -9);
  painter.drawLine(cross.topLeft(), cross.bottomRight());
  painter.drawLine(cross.bottomLeft(), cross.topRight());
}

TitleBar::TitleBar(QWidget* parent) : QWidget(parent) {
  setFixedHeight(kTitleHeight);
  setFont(GameFont(layout::kFontPixels));
  // Qt paints with the inactive group while the window is not active, and
  // repaints when that changes because the two groups differ.
  QPalette colours = palette();
  colours.setColor(QPalette::Active, QPalette::Window, QColor::fromRgb(kTitleBack));
  colours.setColor(QPalette::Active, QPalette::WindowText, QColor::fromRgb(kTitleText));
  colours.setColor(QPalette::Inactive, QPalette::Window, QColor::fromRgb(kInactiveTitleBack));
  colours.setColor(QPalette::Inactive, QPalette::WindowText, QColor::fromRgb(kInactiveTitleText));
  setPalette(colours);
  auto* close = new CloseBox(this);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addStretch();
  layout->addWidget(close);
  connect(close, &QAbstractButton::clicked, this, [this] { window()->close(); });
}

void TitleBar::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Window));
  const int margin = (kTitleHeight - kIconSize) / 2;
  QApplication::windowIcon().paint(&painter, QRect(margin, margin, kIconSize, kIconSize));
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(rect().adjusted(kIconSize + 2 * margin, 0, -kTitleHeight, 0),
                   Qt::AlignLeft | Qt::AlignVCenter, window()->windowTitle());
}

void TitleBar::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && window()->windowHandle() != nullptr) {
    window()->windowHandle()->startSystemMove();
  }
  event->accept();
}

void TitleBar::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }

FramedWindow::FramedWindow(std::unique_ptr<QWidget> client)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      title_(new TitleBar(this)),
      client_(client.release()) {
  setWindowTitle(ToQString(texts::kTitle));
  QPalette back = palette();
  back.setColor(QPalette::Window, QColor::fromRgb(layout::kWindowBack));
  setPalette(back);
  setAutoFillBackground(true);

  client_->setParent(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(kBorder, kBorder, kBorder, kBorder);
  layout->setSpacing(0);
  layout->addWidget(title_);
  layout->addWidget(client_, 1, Qt::AlignCenter);
  // The layout makes the title bar and the client area the least size; the
  // window starts there and can only grow when the compositor says so.
  resize(minimumSizeHint());
  setFocusProxy(client_);
}

void FramedWindow::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setPen(QColor::fromRgb(kTitleBack));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace window
