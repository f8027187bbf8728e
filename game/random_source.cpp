#include "game/random_source.h"

#include <chrono>

namespace game {

void TwisterRandom::Seed(std::uint64_t seed) {
  // Fold the high half in so that seeds differing only there still differ.
  engine_.seed(static_cast<std::uint32_t>(seed ^ (seed >> 32)));
}

float TwisterRandom::Next() {
  constexpr float kTwoToMinus24 = 1.0F / 16777216.0F;
  const std::uint32_t bits = static_cast<std::uint32_t>(engine_()) >> 8;
  return static_cast<float>(bits) * kTwoToMinus24;
}

std::uint64_t SystemClockSeed() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  return static_cast<std::uint64_t>(
      std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
}

}  // namespace game
