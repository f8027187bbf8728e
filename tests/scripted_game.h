// A game whose random draws come from a script, so each test knows where
// the jackpot is and which doors the host will open.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <vector>

#include "controls/control_record.h"
#include "game/game.h"
#include "game/random_source.h"
#include "game/session.h"

namespace testing_support {

// A value of r that the draw turns into `door` without any rounding tie.
inline float ForDoor(int door) { return (static_cast<float>(door) + 0.2F) / 100.0F; }

class ScriptedRandom final : public game::RandomSource {
 public:
  void Seed(std::uint64_t seed) override { seeds.push_back(seed); }

  float Next() override {
    if (values.empty()) throw std::logic_error("the script has no more random values");
    const float r = values.front();
    values.pop_front();
    return r;
  }

  void Doors(std::initializer_list<int> doors) {
    for (const int door : doors) values.push_back(ForDoor(door));
  }

  std::deque<float> values;
  std::vector<std::uint64_t> seeds;
};

inline constexpr std::uint64_t kClockReading = 0x5EED;
inline std::uint64_t FixedClock() { return kClockReading; }

class ScriptedGame : public ::testing::Test {
 protected:
  // Starts the run with the jackpot behind `jackpot`.
  void LoadWithJackpot(int jackpot) {
    random.Doors({jackpot});
    record.Load();
  }

  // Asks the host for one door, which the script makes `door`.
  void AskHost(int door) {
    random.Doors({door});
    record.SelectOption2(1);
    record.ClickCommand1(0);
  }

  int EnabledDoors() const {
    int count = 0;
    for (int door = 0; door < 8; ++door) {
      if (record.Enabled(controls::Option1(door))) ++count;
    }
    return count;
  }

  bool AnyChooserSelected() const {
    return record.Selected(controls::ControlId::Option2_0) ||
           record.Selected(controls::ControlId::Option2_1);
  }

  // The session owns its source; the test keeps the script in reach.
  std::unique_ptr<ScriptedRandom> script_ = std::make_unique<ScriptedRandom>();
  ScriptedRandom& random = *script_;
  game::Session session{std::move(script_), &FixedClock};
  controls::ControlRecord& record = session.Record();
  const game::Game& game = session.Game();
};

}  // namespace testing_support
