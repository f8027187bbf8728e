// The secret corner spot that shows the door table for three ticks.
#include <gtest/gtest.h>

#include "scripted_game.h"

namespace {

using controls::ControlRecord;
using enum controls::ControlId;

class Peek : public testing_support::ScriptedGame {
 protected:
  void SetUp() override { LoadWithJackpot(4); }

  bool Showing() const { return record.Visible(List1) && record.Enabled(Timer1); }
  bool Hidden() const { return !record.Visible(List1) && !record.Enabled(Timer1); }
  bool Ending() const { return !record.Visible(List1) && record.Enabled(Timer1); }
};

TEST_F(Peek, AClickShowsTheTableForThreeTicks) {
  record.ClickLabel1(2);
  EXPECT_TRUE(Showing());
  record.TickTimer1();
  record.TickTimer1();
  EXPECT_TRUE(Showing());
  EXPECT_EQ(game.PeekTicks(), 2);
  record.TickTimer1();
  EXPECT_TRUE(Hidden());
  EXPECT_EQ(game.PeekTicks(), 0);
}

TEST_F(Peek, ASecondClickRestartsTheCount) {
  record.ClickLabel1(2);
  record.TickTimer1();
  record.TickTimer1();
  record.ClickLabel1(2);
  EXPECT_EQ(game.PeekTicks(), 0);
  record.TickTimer1();
  record.TickTimer1();
  EXPECT_TRUE(Showing());
  record.TickTimer1();
  EXPECT_TRUE(Hidden());
}

TEST_F(Peek, OtherLabelsRevealNothing) {
  record.SetVisible(Label1_1, true);
  const ControlRecord before = record;
  for (const int label : {0, 1, 3, 4}) record.ClickLabel1(static_cast<std::int16_t>(label));
  EXPECT_EQ(record, before);
}

TEST_F(Peek, ANewGameHidesTheTableAtOnceAndTheTimerStopsByItself) {
  record.ClickLabel1(2);
  record.TickTimer1();
  random.Doors({0});
  record.ClickCommand1(1);
  EXPECT_TRUE(Ending());
  EXPECT_EQ(game.PeekTicks(), 0) << "the new game restarts the count";
  record.TickTimer1();
  record.TickTimer1();
  EXPECT_TRUE(Ending());
  record.TickTimer1();
  EXPECT_TRUE(Hidden());
  const ControlRecord hidden = record;
  record.TickTimer1();
  EXPECT_EQ(record, hidden);
}

TEST_F(Peek, ANewGameWhileHiddenLeavesThePeekAlone) {
  random.Doors({1});
  record.ClickCommand1(1);
  EXPECT_TRUE(Hidden());
}

TEST_F(Peek, WorksAfterAPickAndTouchesNothingButTheListAndTheTimer) {
  record.SelectOption2(0);
  record.SelectOption1(4);
  ControlRecord expected = record;
  record.ClickLabel1(2);
  expected.SetVisible(List1, true);
  expected.SetEnabled(Timer1, true);
  EXPECT_EQ(record, expected);
  EXPECT_EQ(record.Items(), (std::vector<std::string>{"1", "1", "1", "1", "2", "1", "1", "1"}));
}

}  // namespace
