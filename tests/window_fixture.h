// A shown window with a scripted game, and the real input events a player
// would send it.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QWindow>
#include <memory>
#include <optional>

#include "app/game_window.h"
#include "desktop/compositor_decorations.h"
#include "scripted_game.h"
#include "window/client_area.h"

namespace testing_support {

// The palette the desktop gave the application before the game chose its
// own, kept by the test main while its application lives; a dark theme
// shows here. A palette must not outlive the application: a theme's may
// hold brushes that the application's platform theme owns.
inline std::optional<QPalette>& DesktopPalette() {
  static std::optional<QPalette> palette;
  return palette;
}

// Counts the update requests Qt delivers to a window.
class UpdatesSeen final : public QObject {
 public:
  explicit UpdatesSeen(QWindow* window) { window->installEventFilter(this); }

  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() == QEvent::UpdateRequest) ++count;
    return false;
  }

  int count = 0;
};

constexpr int kFrameAnswerMs = 5000;

// Qt 6.4's Wayland plugin (Debian 12) frees a window's outstanding frame
// callback without the lock its event thread takes to answer one, so the
// answer can come for a window already gone, and libwayland aborts (Qt
// 6.4.3 mended it). So a window goes only once no frame callback is out:
// it stops painting, then asks for an update twice. On Wayland Qt holds
// an update back until the last frame callback has come back, and with
// painting stopped the update commits nothing that asks for another.
inline void LetFramesSettle(QWidget* top_level) {
  if (!desktop::OnWayland()) return;
  top_level->setUpdatesEnabled(false);
  QWindow* handle = top_level->windowHandle();
  UpdatesSeen seen(handle);
  for (int asked = 1; asked <= 2; ++asked) {
    handle->requestUpdate();
    // Bounded, for a compositor that stops sending frames to a window
    // it does not show; the test has passed or failed by now anyway.
    (void)QTest::qWaitFor([&] { return seen.count >= asked; }, kFrameAnswerMs);
  }
}

// A top level that a test shows: however the test ends, even by a failed
// assertion, the window's frames settle before it goes.
struct SettleThenDestroy {
  void operator()(QWidget* top_level) const {
    LetFramesSettle(top_level);
    delete top_level;
  }
};
using ShownTopLevel = std::unique_ptr<QWidget, SettleThenDestroy>;

inline ShownTopLevel Shown(std::unique_ptr<QWidget> top_level) {
  top_level->show();
  return ShownTopLevel(top_level.release());
}

class ShownWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    auto scripted = std::make_unique<ScriptedRandom>();
    random = scripted.get();
    random->Doors({kJackpot});
    session = std::make_unique<game::Session>(std::move(scripted));
    // As the program shows it: on Wayland inside its own title bar.
    app::GameWindow shown = app::BuildGameWindow(*session);
    window = shown.client_area;
    top_level = Shown(std::move(shown.top_level));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(top_level.get()));
  }

  void TearDown() override { top_level.reset(); }

  QWidget* Widget(controls::ControlId id) const { return window->WidgetOf(id); }
  const controls::ControlRecord& Record() const { return session->Record(); }

  // Aims at the mark, where a plain radio button would take the click too.
  void ClickOption(controls::ControlId id) const {
    QWidget* button = Widget(id);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
  }

  void Click(controls::ControlId id) const { QTest::mouseClick(Widget(id), Qt::LeftButton); }

  void AskHost(int door) const {
    random->Doors({door});
    ClickOption(controls::ControlId::Option2_1);
    Click(controls::ControlId::Command1_0);
  }

  bool Checked(controls::ControlId id) const {
    return static_cast<QRadioButton*>(Widget(id))->isChecked();
  }

  QString ResultOnScreen() const {
    return static_cast<QPlainTextEdit*>(Widget(controls::ControlId::Text1_0))->toPlainText();
  }

  static constexpr int kJackpot = 5;
  ScriptedRandom* random = nullptr;
  // Before the window, so that the window goes first.
  std::unique_ptr<game::Session> session;
  ShownTopLevel top_level;
  window::ClientArea* window = nullptr;
};

}  // namespace testing_support
