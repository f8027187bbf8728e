// Whole games played through the record's entry points, as a player would.
#include <gtest/gtest.h>

#include <string>

#include "controls/texts.h"
#include "scripted_game.h"

namespace {

using controls::ControlRecord;
using controls::Option1;
using enum controls::ControlId;
using testing_support::ScriptedGame;

const std::string kWinText = "Резултат след окончателния избор:\r\nДжакпот!";
const std::string kLossText =
    "Резултат след окончателния избор:\r\nЗелка!\r\n" + std::string(texts::kLesson);

using AfterLoad = ScriptedGame;

TEST_F(AfterLoad, TheFirstGameWaitsWithTheDoorsLocked) {
  LoadWithJackpot(5);
  EXPECT_EQ(random.seeds, (std::vector<std::uint64_t>{testing_support::kClockReading}));
  EXPECT_FALSE(record.Visible(List1));
  EXPECT_EQ(record.Items(), (std::vector<std::string>{"1", "1", "1", "1", "1", "2", "1", "1"}));
  EXPECT_EQ(record.Text(Text2_0), "1");
  EXPECT_EQ(record.Text(Text2_1), "0");
  EXPECT_EQ(record.Text(Text1_0), texts::kIntroduction);
  EXPECT_FALSE(AnyChooserSelected());
  EXPECT_FALSE(record.Enabled(Frame1));
  EXPECT_FALSE(record.Enabled(Command1_0));
  EXPECT_TRUE(record.Enabled(Command1_1));
  EXPECT_FALSE(record.Visible(Label1_1));
  EXPECT_FALSE(record.Enabled(Timer1));
  EXPECT_EQ(game.GamesCount(), 1);
  EXPECT_EQ(game.WinsCount(), 0);
  EXPECT_EQ(game.HostOpenCount(), 0);
}

using Picking = ScriptedGame;

TEST_F(Picking, TheJackpotDoorWinsAndCountsTheWin) {
  LoadWithJackpot(3);
  record.SelectOption2(0);
  EXPECT_EQ(EnabledDoors(), 8);
  record.SelectOption1(3);
  EXPECT_EQ(record.Text(Text1_0), kWinText);
  EXPECT_EQ(record.Text(Text2_1), "1");
  EXPECT_EQ(game.WinsCount(), 1);
}

TEST_F(Picking, ACabbageDoorLosesWithTheLessonAndLeavesTheWins) {
  LoadWithJackpot(3);
  record.SelectOption2(0);
  record.SelectOption1(0);
  EXPECT_EQ(record.Text(Text1_0), kLossText);
  EXPECT_EQ(record.Text(Text2_1), "0");
  EXPECT_EQ(record.Text(Text1_1), texts::kLesson);
  EXPECT_FALSE(record.Visible(Text1_1));
}

TEST_F(Picking, APickLocksTheGameButChangesNoDoor) {
  LoadWithJackpot(6);
  AskHost(1);
  record.SelectOption2(0);
  const std::vector<std::string> items = record.Items();
  record.SelectOption1(4);
  EXPECT_TRUE(record.Selected(Option1(4)));
  EXPECT_EQ(record.Items(), items);
  EXPECT_EQ(record.Text(Option1(1)), "Зелка!");
  EXPECT_EQ(record.Text(Option1(6)), "Врата 7");
  EXPECT_FALSE(record.Enabled(Frame1));
  EXPECT_FALSE(record.Enabled(Frame2));
  EXPECT_FALSE(record.Enabled(Command1_0));

  const ControlRecord over = record;
  record.SelectOption1(6);
  record.SelectOption2(1);
  record.ClickCommand1(0);
  EXPECT_EQ(record, over) << "only a new game may follow a pick";
}

using HostOffers = ScriptedGame;

TEST_F(HostOffers, EachOfTheFirstFourOpensACabbageAndWaitsAgain) {
  LoadWithJackpot(2);
  const int openings[] = {7, 0, 5, 3};
  for (int i = 0; i < 4; ++i) {
    AskHost(openings[i]);
    EXPECT_EQ(game.HostOpenCount(), i + 1);
    EXPECT_EQ(record.Item(static_cast<std::size_t>(openings[i])), "0");
    EXPECT_FALSE(AnyChooserSelected());
    EXPECT_FALSE(record.Enabled(Command1_0));
    EXPECT_FALSE(record.Enabled(Frame1)) << "the frame keeps its state";
    EXPECT_TRUE(record.Enabled(Option2_1));
    EXPECT_FALSE(record.Visible(Label1_1));
  }
}

TEST_F(HostOffers, TheFifthForcesTheDirectChoiceAmongThreeDoors) {
  LoadWithJackpot(2);
  for (const int door : {7, 0, 5, 3, 6}) AskHost(door);
  EXPECT_EQ(game.HostOpenCount(), 5);
  EXPECT_TRUE(record.Selected(Option2_0));
  EXPECT_FALSE(record.Selected(Option2_1));
  EXPECT_FALSE(record.Enabled(Option2_1));
  EXPECT_FALSE(record.Enabled(Command1_0));
  EXPECT_TRUE(record.Visible(Label1_1));
  EXPECT_TRUE(record.Enabled(Frame1));
  EXPECT_EQ(EnabledDoors(), 3);
  for (const int closed : {1, 2, 4}) EXPECT_TRUE(record.Enabled(Option1(closed)));

  const ControlRecord forced = record;
  record.SelectOption2(1);
  record.ClickCommand1(0);
  EXPECT_EQ(record, forced) << "the sponsor allows no sixth door";

  record.SelectOption1(2);
  EXPECT_EQ(record.Text(Text1_0), kWinText);
}

TEST_F(HostOffers, TheHostNeverOpensTheJackpotOrTheSameDoorTwice) {
  LoadWithJackpot(0);
  random.Doors({0, 1});
  record.SelectOption2(1);
  record.ClickCommand1(0);
  random.Doors({1, 0, 1, 4});
  record.SelectOption2(1);
  record.ClickCommand1(0);
  EXPECT_TRUE(random.values.empty());
  EXPECT_EQ(record.Items(), (std::vector<std::string>{"2", "0", "1", "1", "0", "1", "1", "1"}));
}

// The rules enforce no more than their phases show: with both choosers
// used, the host still opens a door while the doors stay unlocked.
TEST_F(HostOffers, PhasesAreNotExclusiveHostThenDirectThenOffer) {
  LoadWithJackpot(4);
  record.SelectOption2(1);
  record.SelectOption2(0);
  EXPECT_TRUE(record.Enabled(Command1_0));
  EXPECT_TRUE(record.Enabled(Frame1));
  random.Doors({6});
  record.ClickCommand1(0);
  EXPECT_EQ(record.Item(6), "0");
  EXPECT_FALSE(record.Enabled(Option1(6)));
  EXPECT_TRUE(record.Enabled(Frame1));
  EXPECT_EQ(EnabledDoors(), 7);
  EXPECT_FALSE(AnyChooserSelected());
  EXPECT_FALSE(record.Enabled(Command1_0));
  record.SelectOption1(6);
  EXPECT_FALSE(record.Selected(Option1(6))) << "an opened door cannot be picked";
  record.SelectOption1(4);
  EXPECT_EQ(record.Text(Text1_0), kWinText);
}

class NewGameInEveryPhase : public ScriptedGame, public ::testing::WithParamInterface<const char*> {
 protected:
  void ReachPhase(const std::string& phase) {
    LoadWithJackpot(1);
    if (phase == "host asked") record.SelectOption2(1);
    if (phase == "choosing") record.SelectOption2(0);
    if (phase == "forced") {
      for (const int door : {0, 2, 3, 4, 5}) AskHost(door);
    }
    if (phase == "over") {
      record.SelectOption2(0);
      record.SelectOption1(1);
    }
  }
};

TEST_P(NewGameInEveryPhase, DiscardsTheGameAndStartsAFreshOne) {
  ReachPhase(GetParam());
  const std::int64_t wins = game.WinsCount();
  random.Doors({7});
  record.ClickCommand1(1);
  EXPECT_EQ(record.Text(Text1_0), "");
  EXPECT_EQ(record.Text(Text2_0), "2");
  EXPECT_EQ(record.Text(Text2_1), std::to_string(wins));
  EXPECT_EQ(game.HostOpenCount(), 0);
  EXPECT_EQ(record.Items(), (std::vector<std::string>{"1", "1", "1", "1", "1", "1", "1", "2"}));
  EXPECT_FALSE(AnyChooserSelected());
  EXPECT_FALSE(record.Enabled(Frame1));
  EXPECT_TRUE(record.Enabled(Frame2));
  EXPECT_FALSE(record.Enabled(Command1_0));
  EXPECT_TRUE(record.Enabled(Option2_1));
  EXPECT_FALSE(record.Visible(Label1_1));
  EXPECT_FALSE(record.Visible(List1));
  for (int door = 0; door < 8; ++door) {
    EXPECT_EQ(record.Text(Option1(door)), "Врата " + std::to_string(door + 1));
    EXPECT_FALSE(record.Selected(Option1(door)));
    EXPECT_TRUE(record.Enabled(Option1(door)));
  }
}

INSTANTIATE_TEST_SUITE_P(Phases, NewGameInEveryPhase,
                         ::testing::Values("waiting", "host asked", "choosing", "forced", "over"));

using Counters = ScriptedGame;

TEST_F(Counters, CountEveryGameAndEveryWinOfTheRun) {
  LoadWithJackpot(0);
  for (int round = 0; round < 6; ++round) {
    record.SelectOption2(0);
    record.SelectOption1(round % 2 == 0 ? 0 : 1);  // wins every other game
    random.Doors({0});
    record.ClickCommand1(1);
  }
  EXPECT_EQ(game.GamesCount(), 7);
  EXPECT_EQ(game.WinsCount(), 3);
  EXPECT_EQ(record.Text(Text2_0), "7");
  EXPECT_EQ(record.Text(Text2_1), "3");
}

TEST_F(Counters, ShowLargeCountsInDecimalWithoutLeadingSpace) {
  LoadWithJackpot(0);
  for (int round = 0; round < 120; ++round) {
    random.Doors({0});
    record.ClickCommand1(1);
  }
  EXPECT_EQ(record.Text(Text2_0), "121");
}

TEST_F(Counters, ALoadStartsTheRunOverFromZero) {
  LoadWithJackpot(0);
  record.SelectOption2(0);
  record.SelectOption1(0);
  LoadWithJackpot(2);
  EXPECT_EQ(game.GamesCount(), 1);
  EXPECT_EQ(game.WinsCount(), 0);
  EXPECT_EQ(record.Text(Text2_1), "0");
}

using IgnoredEvents = ScriptedGame;

TEST_F(IgnoredEvents, ChangeNothingAtAllAndDrawNothing) {
  LoadWithJackpot(3);
  const ControlRecord before = record;
  record.SelectOption1(3);  // Frame1 disabled
  record.ClickCommand1(0);  // "Предложение" disabled
  record.TickTimer1();      // Timer1 disabled
  record.ClickLabel1(1);    // the sponsor notice is hidden
  for (const std::int16_t index : {std::int16_t{-1}, std::int16_t{8}, std::int16_t{32767}}) {
    record.SelectOption1(index);
    record.ClickLabel1(index);
    record.ClickCommand1(index);
    record.SelectOption2(index);
  }
  EXPECT_EQ(record, before);
  EXPECT_EQ(game.GamesCount(), 1);
  EXPECT_EQ(game.PeekTicks(), 0);
}

using RecordCopies = ScriptedGame;

// The tests compare states by copying records; a copy that still routed to
// the game would split one game's state across two records.
TEST_F(RecordCopies, AreStateOnlyAndKeepTheirOwnGameOnAssignment) {
  LoadWithJackpot(2);
  const ControlRecord before = record;
  ControlRecord copy = record;
  copy.SelectOption2(1);
  copy.ClickCommand1(1);
  EXPECT_TRUE(copy.Selected(Option2_1));
  EXPECT_FALSE(copy.Enabled(Command1_0));  // no game ran ChooseHost for it
  EXPECT_EQ(record, before);
  EXPECT_EQ(game.GamesCount(), 1);

  record = copy;
  EXPECT_TRUE(record.Selected(Option2_1));
  random.Doors({6});
  record.ClickCommand1(1);
  EXPECT_EQ(game.GamesCount(), 2);
  EXPECT_EQ(record.Item(6), texts::kCodeJackpot);
}

}  // namespace
