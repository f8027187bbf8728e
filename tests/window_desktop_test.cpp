// What a real desktop brings that the offscreen platform lacks: a Wayland
// compositor that owns the window's states, and a dark theme. Each test
// skips where its desktop is not there; ctest runs them on weston and
// under a dark qt6ct colour scheme.
#include <QAbstractButton>
#include <QImage>
#include <QWindow>

#include "controls/layout.h"
#include "controls/texts.h"
#include "controls/twips.h"
#include "window/framed_window.h"
#include "window/qt_text.h"
#include "window_fixture.h"

namespace {

using controls::Option1;
using enum controls::ControlId;
using testing_support::ShownWindow;

// Long enough for any compositor round trip; the waits end as soon as the
// state arrives.
constexpr int kCompositorAnswerMs = 30000;

using WaylandWindow = ShownWindow;

TEST_F(WaylandWindow, HasOnlyACloseBoxAndKeepsItsClientAreaInEveryState) {
  if (!window::DrawsOwnTitleBar()) GTEST_SKIP() << "the desktop draws this title bar";
  const QSize client_area(layout::TwipsToPixels(layout::kClientWidthTwips),
                          layout::TwipsToPixels(layout::kClientHeightTwips));
  QList<QAbstractButton*> title_buttons = top_level->findChildren<QAbstractButton*>();
  title_buttons.removeIf(
      [this](const QAbstractButton* button) { return window->isAncestorOf(button); });
  ASSERT_EQ(title_buttons.size(), 1) << "the title bar offers a close box and nothing else";
  EXPECT_EQ(title_buttons.front()->accessibleName(), window::ToQString(texts::kCloseBoxName));
  QWidget* title_bar = title_buttons.front()->parentWidget();

  QWindow* handle = top_level->windowHandle();
  const QSize normal = top_level->size();
  QTest::mouseDClick(title_bar, Qt::LeftButton, {}, title_bar->rect().center());
  EXPECT_EQ(handle->windowStates(), Qt::WindowNoState);

  // The requests Qt's own title bar would send, and that a compositor may
  // also impose by itself: the compositor answers each with a size of its
  // own, which a program that keeps a smaller one dies of.
  for (const Qt::WindowState state : {Qt::WindowMaximized, Qt::WindowFullScreen}) {
    handle->setWindowStates(state);
    ASSERT_TRUE(QTest::qWaitFor([&] { return top_level->size() != normal; }, kCompositorAnswerMs))
        << "the compositor did not apply state " << state;
    EXPECT_EQ(window->size(), client_area);
    EXPECT_TRUE(top_level->rect().contains(window->geometry()));
    handle->setWindowStates(Qt::WindowNoState);
    ASSERT_TRUE(QTest::qWaitFor([&] { return top_level->size() == normal; }, kCompositorAnswerMs));
  }

  handle->setWindowState(Qt::WindowMinimized);
  // Minimising has no answer to wait for; one more maximise proves the
  // compositor took it and the game still talks to it.
  handle->setWindowStates(Qt::WindowMaximized);
  ASSERT_TRUE(QTest::qWaitFor([&] { return top_level->size() != normal; }, kCompositorAnswerMs));
  EXPECT_EQ(window->size(), client_area);
  random->Doors({2});
  Click(Command1_1);
  EXPECT_EQ(window->Game().GamesCount(), 2);
}

int Luminance(QRgb colour) {
  return (299 * qRed(colour) + 587 * qGreen(colour) + 114 * qBlue(colour)) / 1000;
}

class DarkDesktop : public ShownWindow {
 protected:
  // The darkest pixel of a control's caption area, in the window's image.
  int DarkestIn(controls::ControlId id, QRect local) const {
    const QImage image = window->grab().toImage();
    const qreal ratio = image.devicePixelRatio();
    const QRect area = QRect(Widget(id)->mapTo(window, local.topLeft()), local.size());
    int darkest = 255;
    for (int y = area.top(); y <= area.bottom(); ++y) {
      for (int x = area.left(); x <= area.right(); ++x) {
        darkest = std::min(darkest, Luminance(image.pixel(qFloor(x * ratio), qFloor(y * ratio))));
      }
    }
    return darkest;
  }
};

TEST_F(DarkDesktop, CaptionsStayNearBlackOnTheirPaleColours) {
  if (!qEnvironmentVariableIsSet("ZIMARELA_DARK_DESKTOP")) GTEST_SKIP() << "needs a dark desktop";
  ASSERT_GT(Luminance(testing_support::DesktopPalette().color(QPalette::WindowText).rgb()), 160)
      << "the desktop's theme did not turn dark";
  ClickOption(Option2_0);  // unlocks the doors, whose captions must read too
  // Caption areas only: clear of the option marks and the frames' borders.
  const std::pair<controls::ControlId, QRect> captions[] = {
      {Label1_0, {0, 0, 305, 25}},   {Label1_3, {0, 0, 64, 25}},    {Label1_4, {0, 0, 88, 25}},
      {Frame1, {10, 0, 100, 16}},    {Frame2, {10, 0, 80, 16}},     {Option2_0, {24, 0, 170, 20}},
      {Option2_1, {24, 0, 170, 20}}, {Option1(0), {24, 0, 80, 20}}, {Command1_1, {20, 6, 80, 20}},
  };
  for (const auto& [id, area] : captions) {
    EXPECT_LT(DarkestIn(id, area), 60) << Widget(id)->objectName().toStdString();
  }
  // The text boxes keep the light palette too: dark text on white.
  EXPECT_LT(DarkestIn(Text1_0, {4, 4, 400, 40}), 60);
  EXPECT_EQ(Widget(Text1_0)->palette().color(QPalette::Base), QColor(Qt::white));
}

}  // namespace
