// One game as a program plays it: the record of every control, the source
// of its random draws and the rules bound to both, wired together once.
// The program's entry makes one and hands it to the view; tests make one
// with a scripted source. A view never builds its own.
#pragma once

#include <memory>

#include "controls/control_record.h"
#include "game/game.h"
#include "game/random_source.h"

namespace game {

class Session {
 public:
  // The clock seeds a Mersenne Twister, as for a player.
  Session();
  // Draws from `random`, seeded by `clock` when the record loads.
  explicit Session(std::unique_ptr<RandomSource> random, SeedClock clock = &SystemClockSeed);
  ~Session();

  // The game holds the record and the source by reference, so the three
  // stay where they were bound.
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  controls::ControlRecord& Record() { return record_; }
  const controls::ControlRecord& Record() const { return record_; }
  const game::Game& Game() const { return game_; }

 private:
  controls::ControlRecord record_;
  std::unique_ptr<RandomSource> random_;
  game::Game game_;
};

}  // namespace game
