// What a real Wayland compositor brings that the offscreen platform lacks:
// it owns the window's states. The test skips where its compositor is not
// there; ctest runs it on weston.
#include <QAbstractButton>
#include <QWindow>

#include "window/framed_window.h"
#include "window_fixture.h"

namespace {

using controls::Option1;
using enum controls::ControlId;
using testing_support::ShownWindow;

// Long enough for any compositor round trip; the waits end as soon as the
// state arrives.
constexpr int kCompositorAnswerMs = 30000;

using WaylandWindow = ShownWindow;

TEST_F(WaylandWindow, NoTitleBarClickOrCompositorStateEndsTheGameOrResizesIt) {
  if (!window::DrawsOwnTitleBar()) GTEST_SKIP() << "the desktop draws this title bar";
  auto* frame = static_cast<window::FramedWindow*>(top_level.get());
  const QList<QAbstractButton*> buttons = frame->Title()->findChildren<QAbstractButton*>();
  ASSERT_EQ(buttons.size(), 1) << "the title bar offers a close box and nothing else";
  EXPECT_NE(qobject_cast<window::CloseBox*>(buttons.front()), nullptr);

  QWindow* handle = frame->windowHandle();
  const QSize normal = frame->size();
  QTest::mouseDClick(frame->Title(), Qt::LeftButton, {}, frame->Title()->rect().center());
  EXPECT_EQ(handle->windowStates(), Qt::WindowNoState);

  // The requests Qt's own title bar would send, and that a compositor may
  // also impose by itself: the compositor answers each with a size of its
  // own, which a program that keeps a smaller one dies of.
  for (const Qt::WindowState state : {Qt::WindowMaximized, Qt::WindowFullScreen}) {
    handle->setWindowStates(state);
    ASSERT_TRUE(QTest::qWaitFor([&] { return frame->size() != normal; }, kCompositorAnswerMs))
        << "the compositor did not apply state " << state;
    EXPECT_EQ(window->size(), QSize(474, 354));
    EXPECT_TRUE(frame->rect().contains(window->geometry()));
    handle->setWindowStates(Qt::WindowNoState);
    ASSERT_TRUE(QTest::qWaitFor([&] { return frame->size() == normal; }, kCompositorAnswerMs));
  }

  handle->setWindowState(Qt::WindowMinimized);
  // Minimising has no answer to wait for; one more maximise proves the
  // compositor took it and the game still talks to it.
  handle->setWindowStates(Qt::WindowMaximized);
  ASSERT_TRUE(QTest::qWaitFor([&] { return frame->size() != normal; }, kCompositorAnswerMs));
  EXPECT_EQ(window->size(), QSize(474, 354));
  random->Doors({2});
  Click(Command1_1);
  EXPECT_EQ(window->Game().GamesCount(), 2);
}

}  // namespace
