// One run of the game that checks itself after every event: the invariants,
// the phase model, and that an ignored event changed nothing at all. Used by
// the property test and the fuzzer alike.
#pragma once

#include <algorithm>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "controls/control_record.h"
#include "event_sequence.h"
#include "game/game.h"
#include "invariants.h"
#include "phase_model.h"

namespace testing_support {

class CheckedRun {
 public:
  CheckedRun(game::RandomSource& random, game::SeedClock clock) : game_(record_, random, clock) {}

  // Sends one event; returns the first problem it caused, or "".
  std::string Step(const Event& event) {
    const bool ignored = model_.Ignores(event);
    // The whole record is copied only where it must come out unchanged.
    std::optional<controls::ControlRecord> before;
    if (ignored) before = record_;
    const std::vector<std::string> codes = record_.Items();
    const std::int64_t games = game_.GamesCount();
    const std::int64_t wins = game_.WinsCount();
    const std::int16_t ticks = game_.PeekTicks();
    const int jackpot = JackpotOf(record_);

    Send(record_, event);

    std::ostringstream where;
    where << "after " << event << ": ";
    if (ignored && (!(record_ == *before) || game_.GamesCount() != games ||
                    game_.WinsCount() != wins || game_.PeekTicks() != ticks)) {
      return where.str() + "an ignored event changed something";
    }
    model_.Apply(event, NewlyOpened(codes), jackpot);
    // A Load starts the run over with the same game number.
    if (event.kind == EventKind::Load) history_ = {};
    if (!model_.loaded) return {};
    if (std::string problem = CheckInvariants(record_, game_, history_); !problem.empty()) {
      return where.str() + problem;
    }
    if (std::string problem =
            model_.Compare(record_, game_.GamesCount(), game_.WinsCount(), game_.PeekTicks());
        !problem.empty()) {
      return where.str() + problem;
    }
    return {};
  }

  const PhaseModel& Model() const { return model_; }
  const controls::ControlRecord& Record() const { return record_; }

 private:
  static int JackpotOf(const controls::ControlRecord& record) {
    const auto& items = record.Items();
    const auto it = std::find(items.begin(), items.end(), "2");
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
  }

  // The door whose code turned from "1" to "0" during the event, if any.
  int NewlyOpened(const std::vector<std::string>& before) const {
    if (before.size() != record_.Items().size()) return -1;
    for (std::size_t door = 0; door < before.size(); ++door) {
      if (before[door] == "1" && record_.Item(door) == "0") return static_cast<int>(door);
    }
    return -1;
  }

  controls::ControlRecord record_;
  game::Game game_;
  PhaseModel model_;
  DoorHistory history_;
};

}  // namespace testing_support
