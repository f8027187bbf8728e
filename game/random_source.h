// Where the game's randomness comes from. The game only ever asks for the
// next value; tests replace the source with a script so every outcome is
// known in advance.
#pragma once

#include <cstdint>
#include <random>

namespace game {

class RandomSource {
 public:
  virtual ~RandomSource() = default;

  virtual void Seed(std::uint64_t seed) = 0;
  // The next value r, 0 <= r < 1.
  virtual float Next() = 0;

 protected:
  RandomSource() = default;
  RandomSource(const RandomSource&) = default;
  RandomSource& operator=(const RandomSource&) = default;
};

// A Mersenne Twister whose values are built from 24 random bits, which a
// float holds exactly, so that r can never round up to 1.0.
class TwisterRandom final : public RandomSource {
 public:
  explicit TwisterRandom(std::uint64_t seed = 0) { Seed(seed); }

  void Seed(std::uint64_t seed) override;
  float Next() override;

 private:
  std::mt19937 engine_;
};

// Reads the clock that seeds the generator once per run. Tests pass their
// own to make a run repeatable.
using SeedClock = std::uint64_t (*)();

std::uint64_t SystemClockSeed();

}  // namespace game
