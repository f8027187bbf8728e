// The rules of the game and the run's counters. The game keeps no copy of
// any control: everything the player sees it reads from and writes to the
// record, in the order the player's events demand.
#pragma once

#include <cstdint>

#include "controls/control_record.h"
#include "controls/event_handlers.h"
#include "game/random_source.h"

namespace game {

class Game final : public controls::EventHandlers {
 public:
  // The most doors the host opens before the sponsor stops him.
  static constexpr std::int64_t kMaxHostOpenings = 5;
  static constexpr std::int16_t kPeekTicksShown = 3;

  // Binds itself to the record for as long as it lives; the record, the
  // random source and the game must outlive no one who still uses them.
  Game(controls::ControlRecord& record, RandomSource& random, SeedClock clock = &SystemClockSeed);
  ~Game() override;

  Game(const Game&) = delete;
  Game& operator=(const Game&) = delete;

  std::int64_t GamesCount() const { return games_count_; }
  std::int64_t WinsCount() const { return wins_count_; }
  std::int64_t HostOpenCount() const { return host_open_count_; }
  std::int16_t PeekTicks() const { return peek_ticks_; }

  void StartUp() override;
  void NewGame();
  void RestartGame() override;
  void ChooseDirect() override;
  void ChooseHost() override;
  void Offer() override;
  void PickDoor(int door) override;
  void PeekClick(int label) override;
  void PeekTick() override;

 private:
  void ShowCounters();

  controls::ControlRecord& record_;
  RandomSource& random_;
  SeedClock clock_;

  std::int64_t games_count_ = 0;
  std::int64_t wins_count_ = 0;
  std::int64_t host_open_count_ = 0;
  std::int16_t peek_ticks_ = 0;
};

}  // namespace game
