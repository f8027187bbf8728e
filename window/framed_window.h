// The window as Wayland shows it where the compositor leaves the title bar
// to the program (mutter, weston). Qt's own title bar draws maximise and
// minimise boxes that a window of fixed size cannot honour: maximised, the
// compositor insists on its own size and ends a program that keeps a
// smaller one. So there the game draws its own title bar with only the
// icon, the caption and a close box, and the window around the client area
// takes whatever size the compositor imposes, with the client area
// unchanged in its middle. Where the compositor draws title bars (KWin,
// sway) the window is shown as it is, at its fixed size.
#pragma once

#include <QAbstractButton>
#include <QWidget>
#include <memory>

namespace window {

// Whether the platform leaves the title bar to the program: Wayland, unless
// the compositor draws title bars itself.
bool DrawsOwnTitleBar();

// What to show as the window: the client area itself where the desktop
// draws the title bar, a FramedWindow around it where it does not.
std::unique_ptr<QWidget> TopLevelFor(std::unique_ptr<QWidget> client);

// The close box: a cross, the one button the title bar has.
class CloseBox final : public QAbstractButton {
  Q_OBJECT

 public:
  explicit CloseBox(QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// A strip with the icon and the caption; dragging it moves the window.
class TitleBar final : public QWidget {
  Q_OBJECT

 public:
  explicit TitleBar(QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  // A double click on a title bar usually maximises; here it does nothing.
  void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// The title bar above the client area, which it takes ownership of.
class FramedWindow final : public QWidget {
  Q_OBJECT

 public:
  explicit FramedWindow(std::unique_ptr<QWidget> client);

  QWidget* Client() const { return client_; }
  TitleBar* Title() const { return title_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  TitleBar* title_;
  QWidget* client_;
};

}  // namespace window
