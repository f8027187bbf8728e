// Random sequences of every entry point, valid or not, against the
// invariants and a model of the phases. RC_PARAMS sets how many sequences
// run; a failing one is printed with its seed and becomes a fixed case in
// the regression list below.
#include <gtest/gtest.h>
#include <rapidcheck.h>
#include <rapidcheck/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "checked_run.h"
#include "event_sequence.h"

namespace rc {

template <>
struct Arbitrary<testing_support::Event> {
  static Gen<testing_support::Event> arbitrary() {
    using testing_support::Event;
    using testing_support::EventKind;
    // Indices the arrays do not have, at the edges and far outside.
    const auto bad =
        gen::oneOf(gen::element<std::int16_t>(-1, 2, 5, 8, std::numeric_limits<std::int16_t>::max(),
                                              std::numeric_limits<std::int16_t>::min()),
                   gen::arbitrary<std::int16_t>());
    const auto event = [](EventKind kind, Gen<std::int16_t> index) {
      return gen::map(index, [kind](std::int16_t i) { return Event{kind, i}; });
    };
    // Weighted so that many sequences get as far as the forced choice:
    // asking the host and pressing "Предложение" come up most often.
    return gen::weightedOneOf<Event>({
        {1, gen::just(Event{EventKind::Load, 0})},
        {10,
         event(EventKind::ClickCommand1,
               gen::weightedOneOf<std::int16_t>(
                   {{8, gen::just<std::int16_t>(0)}, {1, gen::just<std::int16_t>(1)}, {1, bad}}))},
        {10,
         event(EventKind::SelectOption2,
               gen::weightedOneOf<std::int16_t>(
                   {{3, gen::just<std::int16_t>(0)}, {6, gen::just<std::int16_t>(1)}, {1, bad}}))},
        {3,
         event(EventKind::SelectOption1, gen::weightedOneOf<std::int16_t>(
                                             {{10, gen::inRange<std::int16_t>(0, 8)}, {1, bad}}))},
        {2, event(EventKind::ClickLabel1, gen::weightedOneOf<std::int16_t>(
                                              {{10, gen::inRange<std::int16_t>(0, 5)}, {1, bad}}))},
        {3, gen::just(Event{EventKind::TickTimer1, 0})},
    });
  }
};

}  // namespace rc

namespace {

using testing_support::Event;
using testing_support::EventKind;

std::uint64_t g_seed = 0;
std::uint64_t TestSeed() { return g_seed; }

struct Coverage {
  bool forced = false;
  bool won = false;
  bool lost = false;
};

// Plays the events from a fresh record with the real generator, checking
// after each one; returns the first problem found, or an empty string.
std::string Play(std::uint64_t seed, const std::vector<Event>& events,
                 Coverage* coverage = nullptr) {
  g_seed = seed;
  game::TwisterRandom random;
  testing_support::CheckedRun run(random, &TestSeed);
  for (std::size_t step = 0; step < events.size(); ++step) {
    if (std::string problem = run.Step(events[step]); !problem.empty()) {
      return "event " + std::to_string(step) + ", " + problem;
    }
    const testing_support::PhaseModel& model = run.Model();
    if (coverage != nullptr && model.loaded) {
      coverage->forced |= model.notice;
      const bool won = model.result.ends_with(texts::kJackpot);
      coverage->won |= model.picked >= 0 && won;
      coverage->lost |= model.picked >= 0 && !won;
    }
  }
  return {};
}

RC_GTEST_PROP(EventSequences, KeepEveryInvariantAndFollowTheModel,
              (std::uint64_t seed, std::vector<Event> events)) {
  // A run always starts the way the window starts it.
  events.insert(events.begin(), Event{EventKind::Load, 0});
  Coverage coverage;
  const std::string problem = Play(seed, events, &coverage);
  RC_CLASSIFY(coverage.forced, "reaches the forced choice");
  RC_CLASSIFY(coverage.won, "wins a game");
  RC_CLASSIFY(coverage.lost, "loses a game");
  RC_ASSERT(problem == "");
}

RC_GTEST_PROP(EventSequences, NothingBeforeLoadChangesTheRecord, (std::vector<Event> events)) {
  controls::ControlRecord record;
  game::TwisterRandom random;
  game::Game game(record, random, &TestSeed);
  const controls::ControlRecord design = record;
  for (const Event& event : events) {
    if (event.kind != EventKind::Load) Send(record, event);
  }
  RC_ASSERT(record == design);
}

// Sequences that once found a fault, or that walk the corners by hand.
TEST(EventSequences, FixedRegressions) {
  using K = EventKind;
  const std::vector<std::pair<std::uint64_t, std::vector<Event>>> cases = {
      // Host, then direct, then an offer: the phases overlap.
      {1, {{K::Load}, {K::SelectOption2, 1}, {K::SelectOption2, 0}, {K::ClickCommand1, 0}}},
      // Five offers force the choice; a sixth press is ignored.
      {2,
       {{K::Load},
        {K::SelectOption2, 1},
        {K::ClickCommand1, 0},
        {K::SelectOption2, 1},
        {K::ClickCommand1, 0},
        {K::SelectOption2, 1},
        {K::ClickCommand1, 0},
        {K::SelectOption2, 1},
        {K::ClickCommand1, 0},
        {K::SelectOption2, 1},
        {K::ClickCommand1, 0},
        {K::SelectOption2, 1},
        {K::ClickCommand1, 0},
        {K::ClickLabel1, 1}}},
      // A new game during a reveal leaves the timer ending on its own.
      {3,
       {{K::Load},
        {K::ClickLabel1, 2},
        {K::TickTimer1},
        {K::ClickCommand1, 1},
        {K::TickTimer1},
        {K::TickTimer1},
        {K::TickTimer1},
        {K::TickTimer1}}},
      // A second Load in the middle of a game starts the run over.
      {4,
       {{K::Load},
        {K::SelectOption2, 0},
        {K::SelectOption1, 3},
        {K::Load},
        {K::SelectOption1, -1},
        {K::ClickLabel1, 32767}}},
  };
  for (const auto& [seed, events] : cases) {
    EXPECT_EQ(Play(seed, events), "") << "seed " << seed;
  }
}

}  // namespace
