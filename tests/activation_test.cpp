// One way in for every view: activating a control reaches the operation
// its array's handler gives that member, under the same event rules as the
// named entry points, and a control without such an event reaches nothing.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "controls/control_record.h"
#include "logging_handlers.h"

namespace {

using controls::ControlId;
using controls::ControlRecord;
using controls::Info;
using enum controls::ControlId;
using testing_support::LoggingHandlers;

// What the routing table gives each control that has an event.
std::map<ControlId, std::string> Routes() {
  std::map<ControlId, std::string> routes = {
      {Command1_0, "Offer"},
      {Command1_1, "RestartGame"},
      {Option2_0, "ChooseDirect"},
      {Option2_1, "ChooseHost"},
  };
  for (int door = 0; door < 8; ++door) {
    routes[controls::Option1(door)] = "PickDoor " + std::to_string(door);
  }
  for (int label = 0; label < 5; ++label) {
    routes[controls::Label1(label)] = "PeekClick " + std::to_string(label);
  }
  return routes;
}

TEST(Activation, EveryControlReachesTheOperationOfItsArrayAndIndexOrNone) {
  const std::map<ControlId, std::string> routes = Routes();
  for (const ControlId id : controls::AllControls()) {
    ControlRecord record;
    LoggingHandlers handlers;
    record.Bind(&handlers);
    record.Load();
    // Everything shown and enabled, the timer running too: only the
    // routing can keep an operation from running.
    for (const ControlId other : controls::AllControls()) {
      record.SetEnabled(other, true);
      if (other != Timer1) record.SetVisible(other, true);
    }
    handlers.log.clear();

    record.Activate(id);

    const auto route = routes.find(id);
    const std::vector<std::string> expected =
        route == routes.end() ? std::vector<std::string>{} : std::vector{route->second};
    EXPECT_EQ(handlers.log, expected) << Info(id).name << " " << Info(id).index;
    if (Info(id).kind == controls::ControlKind::OptionButton) {
      EXPECT_TRUE(record.Selected(id)) << Info(id).name << " " << Info(id).index;
    }
  }
}

TEST(Activation, KeepsTheEventRulesOfTheNamedEntryPoints) {
  ControlRecord record;
  LoggingHandlers handlers;
  record.Bind(&handlers);

  record.Activate(Command1_1);
  EXPECT_TRUE(handlers.log.empty()) << "nothing runs before Load";

  record.Load();
  handlers.log.clear();
  record.Activate(Option1_3);  // the doors' frame starts locked
  record.Activate(Label1_1);   // the sponsor notice starts hidden
  record.SetEnabled(Command1_0, false);
  record.Activate(Command1_0);
  EXPECT_TRUE(handlers.log.empty());
  EXPECT_FALSE(record.Selected(Option1_3));

  record.Activate(Label1_2);
  EXPECT_EQ(handlers.log, std::vector<std::string>{"PeekClick 2"});
}

}  // namespace
