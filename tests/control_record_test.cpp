// The record on its own, with a handlers table that only notes what ran:
// design-time state, the option groups and the four event rules.
#include "controls/control_record.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "controls/texts.h"
#include "logging_handlers.h"

namespace {

using controls::ControlId;
using controls::ControlKind;
using controls::ControlRecord;
using controls::Info;
using controls::Option1;
using enum controls::ControlId;
using testing_support::LoggingHandlers;

class RecordEvents : public ::testing::Test {
 protected:
  RecordEvents() {
    record.Bind(&handlers);
    record.Load();
    handlers.log.clear();
  }

  ControlRecord record;
  LoggingHandlers handlers;
};

TEST(DesignTimeState, ControlsComeInCreationOrderWithTheirKindsAndContainers) {
  EXPECT_EQ(Info(Timer1).kind, ControlKind::Timer);
  EXPECT_EQ(Info(Text2_1).name, "Text2");
  EXPECT_EQ(Info(Text2_1).index, 1);
  EXPECT_EQ(Info(List1).kind, ControlKind::ListBox);
  EXPECT_EQ(Info(Option2_1).container, controls::Container::Frame2);
  EXPECT_EQ(Info(Option1_7).container, controls::Container::Frame1);
  EXPECT_EQ(Info(Text1_0).container, controls::Container::Window);
  EXPECT_EQ(Info(Label1_0).kind, ControlKind::Label);
  for (int door = 0; door < 8; ++door) {
    EXPECT_EQ(Info(Option1(door)).index, door);
    EXPECT_EQ(Info(Option1(door)).name, "Option1");
  }
  // Arrays are created from their last member down.
  EXPECT_LT(controls::ToIndex(Option1_7), controls::ToIndex(Option1_0));
  EXPECT_LT(controls::ToIndex(Label1_4), controls::ToIndex(Label1_0));
}

TEST(DesignTimeState, CaptionsTextsAndFlags) {
  const ControlRecord record;
  EXPECT_FALSE(record.Enabled(Timer1));
  EXPECT_EQ(record.Text(Text2_0), "");
  EXPECT_EQ(record.Text(Text2_1), "");
  EXPECT_TRUE(record.Items().empty());
  EXPECT_TRUE(record.Visible(List1));
  EXPECT_EQ(record.Text(Command1_1), "Нова игра");
  EXPECT_EQ(record.Text(Command1_0), "Предложение");
  EXPECT_TRUE(record.Enabled(Command1_0));
  EXPECT_EQ(record.Text(Frame2), "Кой избира");
  EXPECT_EQ(record.Text(Option2_1), "Водещият предлага");
  EXPECT_EQ(record.Text(Option2_0), "Директен избор от играч");
  EXPECT_EQ(record.Text(Frame1), "Възможен избор");
  EXPECT_FALSE(record.Enabled(Frame1));
  EXPECT_EQ(record.Text(Option1(0)), "Врата 1");
  EXPECT_EQ(record.Text(Option1(7)), "Врата 8");
  EXPECT_EQ(record.Text(Text1_1), texts::kLesson);
  EXPECT_FALSE(record.Visible(Text1_1));
  EXPECT_EQ(record.Text(Text1_0), texts::kIntroduction);
  EXPECT_EQ(record.Text(Label1_4), "Спечелени:");
  EXPECT_EQ(record.Text(Label1_3), "Игри:");
  EXPECT_EQ(record.Text(Label1_2), "");
  EXPECT_EQ(record.Text(Label1_1), texts::kSponsorNotice);
  EXPECT_FALSE(record.Visible(Label1_1));
  EXPECT_EQ(record.Text(Label1_0), "Зимарела");
  for (const ControlId id : controls::AllControls()) {
    EXPECT_FALSE(record.Selected(id)) << Info(id).name << Info(id).index;
    if (id != Timer1 && id != Frame1) {
      EXPECT_TRUE(record.Enabled(id));
    }
  }
}

TEST(ControlNames, AnIndexOutsideAnArrayIsReportedNotMisread) {
  EXPECT_THROW((void)Option1(8), std::out_of_range);
  EXPECT_THROW((void)Option1(-1), std::out_of_range);
  EXPECT_THROW((void)controls::Label1(5), std::out_of_range);
  EXPECT_THROW((void)controls::Command1(2), std::out_of_range);
  EXPECT_THROW((void)controls::FromIndex(controls::kControlCount), std::out_of_range);
  ControlRecord record;
  EXPECT_THROW((void)record.Item(0), std::out_of_range);
  EXPECT_THROW(record.SetItem(0, "1"), std::out_of_range);
  EXPECT_THROW(record.SetSelected(Label1_2, true), std::invalid_argument);
  EXPECT_THROW(record.SetText(List1, "x"), std::invalid_argument);
  EXPECT_THROW(record.SetVisible(Timer1, true), std::invalid_argument);
}

TEST(ListBox, KeepsItemsInTheOrderTheyCameAndReplacesInPlace) {
  ControlRecord record;
  record.AppendItem("1");
  record.AppendItem("2");
  record.AppendItem("0");
  record.SetItem(1, "0");
  EXPECT_EQ(record.Items(), (std::vector<std::string>{"1", "0", "0"}));
  record.ClearItems();
  EXPECT_TRUE(record.Items().empty());
}

TEST_F(RecordEvents, SelectingAButtonUnselectsOnlyItsOwnGroupAndRunsItsEvent) {
  record.SetSelected(Option2_1, true);
  record.SetSelected(Option1(2), true);
  record.SetSelected(Option1(5), true);
  EXPECT_FALSE(record.Selected(Option1(2)));
  EXPECT_TRUE(record.Selected(Option1(5)));
  EXPECT_TRUE(record.Selected(Option2_1));
  EXPECT_EQ(handlers.log, (std::vector<std::string>{"ChooseHost", "PickDoor 2", "PickDoor 5"}));
}

TEST_F(RecordEvents, UnselectingRaisesNothing) {
  record.SetSelected(Option2_0, true);
  handlers.log.clear();
  record.SetSelected(Option2_0, false);
  record.SetSelected(Option2_1, false);
  EXPECT_FALSE(record.Selected(Option2_0));
  EXPECT_TRUE(handlers.log.empty());
}

// An operation that selects a button sees that button's event finish before
// its own next step.
TEST_F(RecordEvents, ASelectionMadeByAnOperationRunsNestedAndAtOnce) {
  struct Nesting : LoggingHandlers {
    ControlRecord* record = nullptr;
    void Offer() override {
      log.push_back("Offer begins");
      record->SetSelected(Option2_0, true);
      log.push_back("Offer goes on");
    }
  } nesting;
  nesting.record = &record;
  record.Bind(&nesting);
  record.ClickCommand1(0);
  EXPECT_EQ(nesting.log,
            (std::vector<std::string>{"Offer begins", "ChooseDirect", "Offer goes on"}));
}

TEST_F(RecordEvents, EveryEntryPointRunsItsOperation) {
  record.SetEnabled(Frame1, true);
  record.SetEnabled(Timer1, true);
  record.SetVisible(Label1_1, true);
  record.Load();
  record.ClickCommand1(0);
  record.ClickCommand1(1);
  record.SelectOption2(0);
  record.SelectOption2(1);
  record.SelectOption1(7);
  for (std::int16_t label = 0; label < 5; ++label) record.ClickLabel1(label);
  record.TickTimer1();
  EXPECT_EQ(handlers.log,
            (std::vector<std::string>{"StartUp", "Offer", "RestartGame", "ChooseDirect",
                                      "ChooseHost", "PickDoor 7", "PeekClick 0", "PeekClick 1",
                                      "PeekClick 2", "PeekClick 3", "PeekClick 4", "PeekTick"}));
}

TEST_F(RecordEvents, ADisabledFrameBlocksTheEnabledDoorsInsideIt) {
  ASSERT_TRUE(record.Enabled(Option1(3)));
  const ControlRecord before = record;
  record.SelectOption1(3);
  EXPECT_EQ(record, before);
  EXPECT_TRUE(handlers.log.empty());
  EXPECT_FALSE(record.TakesInput(Option1(3)));

  record.SetEnabled(Frame1, true);
  record.SetVisible(Frame1, false);
  record.SelectOption1(3);
  EXPECT_TRUE(handlers.log.empty()) << "a hidden frame hides its doors too";
}

TEST_F(RecordEvents, EventsOnHiddenOrDisabledControlsAreIgnored) {
  record.SetEnabled(Frame1, true);
  record.SetEnabled(Option1(4), false);
  record.SetEnabled(Command1_0, false);
  record.SetVisible(Command1_1, false);
  record.SetEnabled(Frame2, false);
  record.SetEnabled(Label1_3, false);
  const ControlRecord before = record;
  record.SelectOption1(4);
  record.ClickCommand1(0);
  record.ClickCommand1(1);
  record.SelectOption2(0);
  record.SelectOption2(1);
  record.ClickLabel1(1);  // the sponsor notice, hidden at design time
  record.ClickLabel1(3);
  EXPECT_EQ(record, before);
  EXPECT_TRUE(handlers.log.empty());
}

TEST_F(RecordEvents, ATickWhileTheTimerIsDisabledIsIgnored) {
  record.TickTimer1();
  EXPECT_TRUE(handlers.log.empty());
  record.SetEnabled(Timer1, true);
  record.TickTimer1();
  EXPECT_EQ(handlers.log, (std::vector<std::string>{"PeekTick"}));
}

TEST_F(RecordEvents, IndicesOutsideEachArrayDoNothing) {
  record.SetEnabled(Frame1, true);
  record.SetVisible(Label1_1, true);
  const ControlRecord before = record;
  using Index = std::int16_t;
  for (const Index index : {Index{-32768}, Index{-1}, Index{8}, Index{32767}}) {
    record.SelectOption1(index);
  }
  for (const Index index : {Index{-32768}, Index{-1}, Index{5}, Index{32767}}) {
    record.ClickLabel1(index);
  }
  for (const Index index : {Index{-32768}, Index{-1}, Index{2}, Index{32767}}) {
    record.ClickCommand1(index);
    record.SelectOption2(index);
  }
  EXPECT_EQ(record, before);
  EXPECT_TRUE(handlers.log.empty());
}

// The design-time state is no game: the doors' table is empty and
// "Предложение" is enabled, so an event then would reach rules that have
// nothing to work on.
TEST(RecordBeforeLoad, IgnoresEveryEventButLoad) {
  ControlRecord record;
  LoggingHandlers handlers;
  record.Bind(&handlers);
  record.SetEnabled(Frame1, true);
  record.SetEnabled(Timer1, true);
  const ControlRecord before = record;
  record.ClickCommand1(0);
  record.ClickCommand1(1);
  record.SelectOption2(0);
  record.SelectOption2(1);
  record.SelectOption1(0);
  record.ClickLabel1(2);
  record.TickTimer1();
  EXPECT_EQ(record, before);
  EXPECT_TRUE(handlers.log.empty());
  EXPECT_FALSE(record.Loaded());
  record.Load();
  record.ClickCommand1(0);
  EXPECT_EQ(handlers.log, (std::vector<std::string>{"StartUp", "Offer"}));
}

TEST(RecordWithoutHandlers, EventsRouteNowhereButTheEventRulesStillHold) {
  ControlRecord record;
  record.Load();
  record.ClickCommand1(0);
  record.SetEnabled(Frame1, true);
  record.SelectOption1(1);
  EXPECT_TRUE(record.Selected(Option1(1)));
}

}  // namespace
