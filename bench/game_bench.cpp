// The headless game: each entry point alone, and one complete game, with
// the heap allocations each makes.
#include <benchmark/benchmark.h>

#include "allocation_counter.h"
#include "controls/control_record.h"
#include "game/random_source.h"
#include "game/session.h"

namespace {

using enum controls::ControlId;

std::uint64_t Seed() { return 2026; }

// A loaded record and game with the real generator.
struct Table {
  Table() { record.Load(); }

  void Restart() { record.ClickCommand1(1); }
  void AskHost() { record.SelectOption2(1); }
  // Opens the doors frame and returns a closed door to pick.
  std::int16_t Unlock() {
    record.SelectOption2(0);
    for (std::int16_t door = 0; door < 8; ++door) {
      if (record.Enabled(controls::Option1(door))) return door;
    }
    return 0;
  }

  game::Session session{std::make_unique<game::TwisterRandom>(), &Seed};
  controls::ControlRecord& record = session.Record();
};

// Runs `timed` once per iteration, with `untimed` (if any) setting up each
// iteration outside the clock, and reports the allocations `timed` made.
template <typename Timed, typename Untimed>
void Measure(benchmark::State& state, Timed timed, Untimed untimed) {
  long allocations = 0;
  for (auto _ : state) {
    state.PauseTiming();
    untimed();
    const long before = bench::Allocations();
    state.ResumeTiming();
    timed();
    allocations += bench::Allocations() - before;
  }
  state.counters["allocs/op"] =
      benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
}

// The cheap calls are measured without pausing the clock, which would cost
// more than they do; their set-up is part of the loop only where needed.
template <typename Timed>
void MeasureLoop(benchmark::State& state, Timed timed) {
  const long before = bench::Allocations();
  for (auto _ : state) timed();
  state.counters["allocs/op"] = benchmark::Counter(
      static_cast<double>(bench::Allocations() - before), benchmark::Counter::kAvgIterations);
}

// What pausing and resuming the clock costs by itself, to read the paused
// benchmarks (Offer, PickDoor) against.
void BM_PauseOverhead(benchmark::State& state) {
  const auto nothing = [] {};
  Measure(state, nothing, nothing);
}

void BM_Load(benchmark::State& state) {
  Table table;
  MeasureLoop(state, [&] { table.record.Load(); });
}

void BM_RestartGame(benchmark::State& state) {
  Table table;
  MeasureLoop(state, [&] { table.Restart(); });
}

void BM_ChooseHost(benchmark::State& state) {
  Table table;
  MeasureLoop(state, [&] { table.record.SelectOption2(1); });
}

void BM_ChooseDirect(benchmark::State& state) {
  Table table;
  MeasureLoop(state, [&] { table.record.SelectOption2(0); });
}

void BM_Offer(benchmark::State& state) {
  Table table;
  int offers = 0;
  Measure(
      state, [&] { table.record.ClickCommand1(0); },
      [&] {
        if (offers++ % 5 == 0) table.Restart();
        table.AskHost();
      });
}

void BM_PickDoor(benchmark::State& state) {
  Table table;
  std::int16_t door = 0;
  Measure(
      state, [&] { table.record.SelectOption1(door); },
      [&] {
        table.Restart();
        door = table.Unlock();
      });
}

void BM_PeekClick(benchmark::State& state) {
  Table table;
  MeasureLoop(state, [&] { table.record.ClickLabel1(2); });
}

void BM_PeekTick(benchmark::State& state) {
  Table table;
  // A click and three ticks: the whole reveal, per iteration.
  MeasureLoop(state, [&] {
    table.record.ClickLabel1(2);
    table.record.TickTimer1();
    table.record.TickTimer1();
    table.record.TickTimer1();
  });
}

void BM_CompleteGame(benchmark::State& state) {
  Table table;
  MeasureLoop(state, [&] {
    table.Restart();
    for (int offer = 0; offer < 5; ++offer) {
      table.AskHost();
      table.record.ClickCommand1(0);
    }
    table.record.SelectOption1(table.Unlock());
  });
  state.counters["games/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_PauseOverhead);
BENCHMARK(BM_Load);
BENCHMARK(BM_RestartGame);
BENCHMARK(BM_ChooseHost);
BENCHMARK(BM_ChooseDirect);
BENCHMARK(BM_Offer);
BENCHMARK(BM_PickDoor);
BENCHMARK(BM_PeekClick);
BENCHMARK(BM_PeekTick);
BENCHMARK(BM_CompleteGame);

}  // namespace

BENCHMARK_MAIN();
