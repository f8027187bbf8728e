// A million complete games in one process: the counters must come out
// exactly, and memory must not creep.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "controls/control_record.h"
#include "game/game.h"

namespace {

using controls::Option1;
using enum controls::ControlId;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif
#else
constexpr bool kAddressSanitizer = false;
#endif

long ResidentKiB() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0;
  long resident = 0;
  statm >> pages >> resident;
  return resident * 4;
}

std::uint64_t Seed() { return 1; }

TEST(Soak, AMillionGamesCountExactlyAndKeepMemorySteady) {
  constexpr int kGames = 1'000'000;
  controls::ControlRecord record;
  game::TwisterRandom random;
  game::Game game(record, random, &Seed);
  record.Load();

  std::int64_t wins = 0;
  long resident_early = 0;
  for (int played = 1; played <= kGames; ++played) {
    record.ClickCommand1(1);
    for (int offer = 0; offer < 5; ++offer) {
      record.SelectOption2(1);
      record.ClickCommand1(0);
    }
    // Pick one of the three closed doors, a different one each game.
    int door = -1;
    for (int closed = 0, wanted = played % 3; closed <= wanted;) {
      if (record.Item(static_cast<std::size_t>(++door)) != "0") ++closed;
    }
    if (record.Item(static_cast<std::size_t>(door)) == "2") ++wins;
    record.SelectOption1(static_cast<std::int16_t>(door));
    ASSERT_FALSE(record.Enabled(Frame1)) << "game " << played << " did not end";
    if (played == kGames / 10) resident_early = ResidentKiB();
  }
  const long resident_late = ResidentKiB();

  EXPECT_EQ(game.GamesCount(), kGames + 1);  // the first game, from Load, was never played
  EXPECT_EQ(game.WinsCount(), wins);
  EXPECT_EQ(record.Text(Text2_0), std::to_string(kGames + 1));
  EXPECT_EQ(record.Text(Text2_1), std::to_string(wins));
  // Three closed doors are left and the jackpot is always among them.
  EXPECT_NEAR(static_cast<double>(wins) / kGames, 1.0 / 3.0, 0.005);

  if (kAddressSanitizer) {
    GTEST_SKIP() << "AddressSanitizer's quarantine grows on purpose; memory not compared";
  }
  EXPECT_LE(resident_late - resident_early, 64) << "KiB grew from " << resident_early;
}

}  // namespace
