// From a synthetic click to the window redrawn from the record: a door,
// "Предложение" and "Нова игра", with the real window and real events.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>
#include <QTest>
#include <memory>

#include "desktop/application.h"
#include "game/session.h"
#include "window/client_area.h"

namespace {

using enum controls::ControlId;

// Notes when the window has handled an update request, which is when Qt
// repaints what changed and puts it on the screen.
class Redrawn final : public QObject {
 public:
  explicit Redrawn(QWidget* window) { window->installEventFilter(this); }

  // Processes events until the window has repainted once.
  void Wait() {
    seen_ = false;
    while (!seen_) QCoreApplication::processEvents(QEventLoop::AllEvents);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::UpdateRequest) seen_ = true;
    return QObject::eventFilter(watched, event);
  }

 private:
  bool seen_ = false;
};

class ShownGame {
 public:
  ShownGame() : window_(session_), redrawn_(&window_) {
    window_.show();
    (void)QTest::qWaitForWindowExposed(&window_);
  }

  void Click(controls::ControlId id) {
    QWidget* widget = window_.WidgetOf(id);
    // Near the mark for option buttons, which take clicks only there.
    const QPoint at = controls::Info(id).kind == controls::ControlKind::OptionButton
                          ? QPoint(8, widget->height() / 2)
                          : widget->rect().center();
    QTest::mouseClick(widget, Qt::LeftButton, {}, at);
  }

  void ClickAndWait(controls::ControlId id) {
    Click(id);
    redrawn_.Wait();
  }

  const controls::ControlRecord& Record() const { return session_.Record(); }

 private:
  game::Session session_;
  window::ClientArea window_;
  Redrawn redrawn_;
};

std::unique_ptr<ShownGame> g_game;

// The last door that takes a click once the player has chosen to pick.
controls::ControlId LastOpenDoor() {
  controls::ControlId door = Option1_0;
  for (int i = 0; i < 8; ++i) {
    if (g_game->Record().TakesInput(controls::Option1(i))) door = controls::Option1(i);
  }
  return door;
}

// "Нова игра" as the player clicks it, after a game: it clears the result,
// unlocks the chooser and sets the picked door back.
void BM_ClickNewGame(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    g_game->ClickAndWait(Option2_0);
    g_game->ClickAndWait(LastOpenDoor());
    state.ResumeTiming();
    g_game->ClickAndWait(Command1_1);
  }
}

// "Нова игра" straight after another, when only the games counter changes:
// the least a click to a repainted window can cost.
void BM_ClickNewGameAgain(benchmark::State& state) {
  for (auto _ : state) g_game->ClickAndWait(Command1_1);
}

void BM_ClickOffer(benchmark::State& state) {
  int offers = 0;
  for (auto _ : state) {
    state.PauseTiming();
    if (offers++ % 5 == 0) g_game->ClickAndWait(Command1_1);
    g_game->ClickAndWait(Option2_1);
    state.ResumeTiming();
    g_game->ClickAndWait(Command1_0);
  }
}

// The door's click writes the result, and on a loss the lesson, and locks
// both frames.
void BM_ClickDoor(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    g_game->ClickAndWait(Command1_1);
    g_game->ClickAndWait(Option2_0);
    const controls::ControlId door = LastOpenDoor();
    state.ResumeTiming();
    g_game->ClickAndWait(door);
  }
}

BENCHMARK(BM_ClickNewGame)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ClickNewGameAgain)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ClickOffer)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ClickDoor)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char* argv[]) {
  benchmark::Initialize(&argc, argv);
  QApplication application(argc, argv);
  desktop::ConfigureApplication();
  g_game = std::make_unique<ShownGame>();
  benchmark::RunSpecifiedBenchmarks();
  g_game.reset();
  benchmark::Shutdown();
  return 0;
}
