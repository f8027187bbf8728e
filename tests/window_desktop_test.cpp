// What a real Wayland compositor brings that the offscreen platform lacks:
// it owns the window's states, and it may draw the title bar itself. Each
// test skips where its compositor is not there; ctest runs them on weston,
// which leaves the title bar to the program, and on sway, which draws it.
#include <QAbstractButton>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QWindow>
#include <optional>

#include "controls/texts.h"
#include "layout/layout.h"
#include "window/application.h"
#include "window/compositor_decorations.h"
#include "window/qt_text.h"
#include "window/top_level.h"
#include "window_fixture.h"

namespace {

using controls::Option1;
using enum controls::ControlId;
using testing_support::ShownWindow;

// Long enough for any compositor round trip; the waits end as soon as the
// state arrives.
constexpr int kCompositorAnswerMs = 30000;

QSize ClientArea() { return {layout::ClientSize().width, layout::ClientSize().height}; }

using WaylandWindow = ShownWindow;

TEST_F(WaylandWindow, HasOnlyACloseBoxAndKeepsItsClientAreaInEveryState) {
  if (!window::DrawsOwnTitleBar()) GTEST_SKIP() << "the desktop draws this title bar";
  const QSize client_area = ClientArea();
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
  EXPECT_EQ(session->Game().GamesCount(), 2);
}

using DecoratedByTheCompositor = ShownWindow;

// sway's view of the game's window: the node that carries its app id, and
// whether it floats.
struct SwayView {
  QJsonObject node;
  bool floating = false;
};

bool FindView(const QJsonObject& node, bool floating, SwayView& found) {
  if (node.value(QStringLiteral("app_id")).toString() == QLatin1String(window::kApplicationId)) {
    found = {node, floating};
    return true;
  }
  for (const QString& key : {QStringLiteral("nodes"), QStringLiteral("floating_nodes")}) {
    for (const QJsonValue& child : node.value(key).toArray()) {
      if (FindView(child.toObject(), floating || key == QLatin1String("floating_nodes"), found)) {
        return true;
      }
    }
  }
  return false;
}

// What swaymsg prints, or nothing if it failed.
std::optional<QByteArray> Swaymsg(const QStringList& arguments) {
  QProcess swaymsg;
  swaymsg.start(QStringLiteral("swaymsg"), arguments);
  if (!swaymsg.waitForFinished(kCompositorAnswerMs) || swaymsg.exitCode() != 0) return {};
  return swaymsg.readAllStandardOutput();
}

std::optional<SwayView> AskSway() {
  const std::optional<QByteArray> tree =
      Swaymsg({QStringLiteral("-r"), QStringLiteral("-t"), QStringLiteral("get_tree")});
  SwayView view;
  if (!tree || !FindView(QJsonDocument::fromJson(*tree).object(), false, view)) return {};
  return view;
}

// Runs a sway command on the game's window.
bool SwayDoes(const char* command) {
  return Swaymsg({QStringLiteral("[app_id=%1] %2")
                      .arg(QLatin1String(window::kApplicationId), QLatin1String(command))})
      .has_value();
}

TEST_F(DecoratedByTheCompositor, TheDesktopsTitleBarAndAFixedSizeThatFloats) {
  if (!window::CompositorDrawsTitleBars()) GTEST_SKIP() << "the compositor draws no title bars";
  EXPECT_FALSE(window::DrawsOwnTitleBar());
  EXPECT_EQ(top_level.get(), window) << "the game's own title bar is there too";
  // A frameless window would not ask for the compositor's title bar.
  EXPECT_FALSE(window->windowFlags().testFlag(Qt::FramelessWindowHint));
  QWindow* handle = window->windowHandle();
  EXPECT_EQ(handle->minimumSize(), ClientArea());
  EXPECT_EQ(handle->maximumSize(), ClientArea());
  // Qt draws a title bar of its own, with margins, only where the
  // compositor turns the request down.
  EXPECT_EQ(handle->frameMargins(), QMargins());

  if (qEnvironmentVariableIsEmpty("SWAYSOCK")) return;
  // sway itself: it draws a normal title bar (not "csd", the client's),
  // and floats a window whose least and greatest sizes are equal.
  std::optional<SwayView> view;
  const auto border = [&] { return view->node.value(QStringLiteral("border")).toString(); };
  (void)QTest::qWaitFor([&] { return (view = AskSway()).has_value() && border() == "normal"; },
                        kCompositorAnswerMs);
  ASSERT_TRUE(view.has_value()) << "sway does not list the game's window";
  EXPECT_EQ(border(), QStringLiteral("normal"));
  EXPECT_TRUE(view->floating);
  const QJsonObject content = view->node.value(QStringLiteral("window_rect")).toObject();
  EXPECT_EQ(content.value(QStringLiteral("width")).toInt(), ClientArea().width());
  EXPECT_EQ(content.value(QStringLiteral("height")).toInt(), ClientArea().height());
  EXPECT_EQ(window->size(), ClientArea());
}

// What sway's full-screen shortcut does, by sway's own command: the window
// keeps its size inside the full screen, and comes back floating.
TEST_F(DecoratedByTheCompositor, FullScreenByTheCompositorKeepsTheClientAreaAndGoesBack) {
  if (qEnvironmentVariableIsEmpty("SWAYSOCK") || !window::CompositorDrawsTitleBars()) {
    GTEST_SKIP() << "needs sway";
  }
  const auto full_screen = [](bool wanted) {
    const std::optional<SwayView> view = AskSway();
    return view.has_value() &&
           (view->node.value(QStringLiteral("fullscreen_mode")).toInt() != 0) == wanted;
  };
  ASSERT_TRUE(QTest::qWaitFor([&] { return full_screen(false); }, kCompositorAnswerMs));
  ASSERT_TRUE(SwayDoes("fullscreen enable"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return full_screen(true); }, kCompositorAnswerMs));
  EXPECT_TRUE(QTest::qWaitFor([&] { return window->isFullScreen(); }, kCompositorAnswerMs));
  EXPECT_EQ(window->size(), ClientArea());
  ASSERT_TRUE(SwayDoes("fullscreen disable"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return full_screen(false); }, kCompositorAnswerMs));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !window->isFullScreen(); }, kCompositorAnswerMs));
  EXPECT_EQ(window->size(), ClientArea());
  EXPECT_TRUE(AskSway()->floating);
  random->Doors({2});
  Click(Command1_1);
  EXPECT_EQ(session->Game().GamesCount(), 2);
}

}  // namespace
