// What a real Wayland compositor brings that the offscreen platform lacks:
// it owns the window's states, and it may draw the title bar itself. Each
// test skips where its compositor is not there, unless the route promised
// it; ctest runs them on weston, which leaves the title bar to the program,
// and on sway, which draws it.
#include <QAbstractButton>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QWindow>
#include <cstdlib>
#include <optional>

#include "controls/texts.h"
#include "desktop/application.h"
#include "desktop/compositor_decorations.h"
#include "desktop/top_level.h"
#include "layout/layout.h"
#include "window/qt_text.h"
#include "window_fixture.h"

namespace {

using controls::Option1;
using enum controls::ControlId;
using testing_support::ShownWindow;

// Long enough for any compositor round trip; the waits end as soon as the
// state arrives.
constexpr int kCompositorAnswerMs = 30000;

QSize ClientArea() { return {layout::ClientSize().width, layout::ClientSize().height}; }

// What the display route promises of the title bar: "game" where the
// compositor leaves it to the game, "compositor" where it draws it. There a
// wrong answer from the detection fails instead of skipping the test.
bool Promised(const char* title_bar) { return qgetenv("ZIMARELA_TITLE_BAR") == title_bar; }

using WaylandWindow = ShownWindow;

TEST_F(WaylandWindow, HasOnlyACloseBoxAndKeepsItsClientAreaInEveryState) {
  if (!Promised("game") && !desktop::DrawsOwnTitleBar()) {
    GTEST_SKIP() << "the desktop draws this title bar";
  }
  ASSERT_TRUE(desktop::DrawsOwnTitleBar()) << "the title bar is left to the game, which drew none";
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

// The client area at its own size in the middle of the window, with
// nothing of it cut off: what the player sees whatever size the compositor
// gives the window. The layout may round the halves of an odd margin apart
// by one pixel.
void ExpectClientAreaWholeInTheMiddle(const QWidget& top, const QWidget& client) {
  const QRect area = client.geometry();
  EXPECT_EQ(area.size(), ClientArea());
  EXPECT_TRUE(top.rect().contains(area)) << "the window cuts off the client area";
  EXPECT_LE(std::abs(area.left() - (top.width() - 1 - area.right())), 1)
      << "not in the middle across: " << area.left() << " of " << top.width();
  EXPECT_LE(std::abs(area.top() - (top.height() - 1 - area.bottom())), 1)
      << "not in the middle down: " << area.top() << " of " << top.height();
}

// sway's view of the game's window: the node that carries its app id, and
// whether it floats.
struct SwayView {
  QJsonObject node;
  bool floating = false;

  bool FullScreen() const { return node.value(QStringLiteral("fullscreen_mode")).toInt() != 0; }
  // The box sway shows the window's own surface in, its title bar and
  // border left out.
  QSize Content() const {
    const QJsonObject box = node.value(QStringLiteral("window_rect")).toObject();
    return {box.value(QStringLiteral("width")).toInt(),
            box.value(QStringLiteral("height")).toInt()};
  }
};

bool FindView(const QJsonObject& node, bool floating, SwayView& found) {
  if (node.value(QStringLiteral("app_id")).toString() == QLatin1String(desktop::kApplicationId)) {
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

// Asks sway until its view of the window passes the check; the last view
// it gave, if any, either way.
template <typename Check>
std::optional<SwayView> AwaitSway(Check check) {
  std::optional<SwayView> view;
  (void)QTest::qWaitFor([&] { return (view = AskSway()).has_value() && check(*view); },
                        kCompositorAnswerMs);
  return view;
}

// Runs a sway command on the game's window.
bool SwayDoes(const char* command) {
  return Swaymsg({QStringLiteral("[app_id=%1] %2")
                      .arg(QLatin1String(desktop::kApplicationId), QLatin1String(command))})
      .has_value();
}

TEST_F(DecoratedByTheCompositor, TheDesktopsTitleBarAndAFixedSizeThatFloats) {
  if (!Promised("compositor") && !desktop::CompositorDrawsTitleBars()) {
    GTEST_SKIP() << "the compositor draws no title bars";
  }
  ASSERT_TRUE(desktop::CompositorDrawsTitleBars())
      << "the compositor offers its title bar, and the game did not see it";
  EXPECT_FALSE(desktop::DrawsOwnTitleBar());
  QList<QAbstractButton*> title_buttons = top_level->findChildren<QAbstractButton*>();
  title_buttons.removeIf(
      [this](const QAbstractButton* button) { return window->isAncestorOf(button); });
  EXPECT_TRUE(title_buttons.isEmpty()) << "the game's own title bar is there too";
  // A frameless window would not ask for the compositor's title bar.
  EXPECT_FALSE(top_level->windowFlags().testFlag(Qt::FramelessWindowHint));
  QWindow* handle = top_level->windowHandle();
  EXPECT_EQ(handle->minimumSize(), ClientArea());
  EXPECT_EQ(handle->maximumSize(), ClientArea());
  // Qt draws a title bar of its own, with margins, only where the
  // compositor turns the request down.
  EXPECT_EQ(handle->frameMargins(), QMargins());
  EXPECT_EQ(top_level->size(), ClientArea());
  ExpectClientAreaWholeInTheMiddle(*top_level, *window);

  if (qEnvironmentVariableIsEmpty("SWAYSOCK")) return;
  // sway itself: it draws a normal title bar (not "csd", the client's),
  // and floats a window whose least and greatest sizes are equal.
  const auto border = [](const SwayView& view) {
    return view.node.value(QStringLiteral("border")).toString();
  };
  const std::optional<SwayView> view =
      AwaitSway([&](const SwayView& seen) { return border(seen) == "normal"; });
  ASSERT_TRUE(view.has_value()) << "sway does not list the game's window";
  EXPECT_EQ(border(*view), QStringLiteral("normal"));
  EXPECT_TRUE(view->floating);
  EXPECT_EQ(view->Content(), ClientArea());
}

// What sway's full-screen shortcut does, by sway's own command: the client
// area stays whole and unchanged in the middle of the full screen, and the
// window comes back floating at its own size. Each step waits for sway's
// answer and then for Qt's, which arrives later.
TEST_F(DecoratedByTheCompositor, FullScreenByTheCompositorKeepsTheClientAreaAndGoesBack) {
  if (qEnvironmentVariableIsEmpty("SWAYSOCK")) GTEST_SKIP() << "needs sway";
  ASSERT_TRUE(desktop::CompositorDrawsTitleBars())
      << "sway offers its title bar, and the game did not see it";
  std::optional<SwayView> view = AwaitSway([](const SwayView& seen) { return !seen.FullScreen(); });
  ASSERT_TRUE(view.has_value()) << "sway does not list the game's window";

  ASSERT_TRUE(SwayDoes("fullscreen enable"));
  view = AwaitSway([](const SwayView& seen) { return seen.FullScreen(); });
  ASSERT_TRUE(view.has_value() && view->FullScreen()) << "sway did not go full screen";
  ASSERT_TRUE(QTest::qWaitFor([&] { return top_level->isFullScreen(); }, kCompositorAnswerMs));
  const QSize full_screen = view->Content();
  EXPECT_GT(full_screen.width(), ClientArea().width());
  EXPECT_GT(full_screen.height(), ClientArea().height());
  // sway asks for the window's own size, then for the output's. Qt 6.4
  // keeps the window at its greatest size, which sway centres in the full
  // screen; Qt 6.8 takes the size it was last asked for.
  EXPECT_TRUE(top_level->size() == full_screen || top_level->size() == ClientArea())
      << top_level->width() << " x " << top_level->height();
  ExpectClientAreaWholeInTheMiddle(*top_level, *window);

  ASSERT_TRUE(SwayDoes("fullscreen disable"));
  view = AwaitSway([](const SwayView& seen) {
    return !seen.FullScreen() && seen.floating && seen.Content() == ClientArea();
  });
  ASSERT_TRUE(view.has_value());
  EXPECT_FALSE(view->FullScreen());
  EXPECT_TRUE(view->floating);
  EXPECT_EQ(view->Content(), ClientArea());
  EXPECT_TRUE(QTest::qWaitFor(
      [&] { return !top_level->isFullScreen() && top_level->size() == ClientArea(); },
      kCompositorAnswerMs))
      << "back at " << top_level->width() << " x " << top_level->height();
  ExpectClientAreaWholeInTheMiddle(*top_level, *window);
  random->Doors({2});
  Click(Command1_1);
  EXPECT_EQ(session->Game().GamesCount(), 2);
}

}  // namespace
