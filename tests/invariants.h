// What must hold after any event once the record has loaded, whatever came
// before. Shared by the property test and the fuzzer, so it reports instead
// of asserting: an empty string means all is well.
#pragma once

#include <string>
#include <vector>

#include "controls/control_record.h"
#include "controls/texts.h"
#include "game/game.h"

namespace testing_support {

// The door codes of the game in progress, to check that a code only ever
// goes from "1" to "0" within one game.
struct DoorHistory {
  std::int64_t game = -1;
  std::vector<std::string> codes;
};

inline std::string CheckInvariants(const controls::ControlRecord& record, const game::Game& game,
                                   DoorHistory& history) {
  using controls::Option1;
  using enum controls::ControlId;
  const auto& items = record.Items();
  if (items.size() != 8) return "List1 holds " + std::to_string(items.size()) + " items";
  int jackpots = 0;
  int opened = 0;
  for (int door = 0; door < 8; ++door) {
    const std::string& code = items[static_cast<std::size_t>(door)];
    const std::string& caption = record.Text(Option1(door));
    const std::string number = std::to_string(door + 1);
    if (code == "2") ++jackpots;
    if (code == "0") {
      ++opened;
      if (caption != texts::kCabbage) return "open door " + number + " reads " + caption;
      if (record.Enabled(Option1(door))) return "open door " + number + " is enabled";
    } else if (code == "1" || code == "2") {
      if (caption != std::string(texts::kDoorPrefix) + " " + number) {
        return "closed door " + number + " reads " + caption;
      }
    } else {
      return "door " + number + " has the code " + code;
    }
  }
  if (jackpots != 1) return std::to_string(jackpots) + " jackpots";

  if (history.game == game.GamesCount() && history.codes.size() == 8) {
    for (std::size_t door = 0; door < 8; ++door) {
      if (items[door] != history.codes[door] &&
          !(history.codes[door] == "1" && items[door] == "0")) {
        return "door code went from " + history.codes[door] + " to " + items[door];
      }
    }
  }
  history.game = game.GamesCount();
  history.codes = items;

  for (const controls::Container group :
       {controls::Container::Frame1, controls::Container::Frame2}) {
    int selected = 0;
    for (const controls::ControlId id : controls::AllControls()) {
      if (controls::Info(id).container == group && record.Selected(id)) ++selected;
    }
    if (selected > 1) return "a group has " + std::to_string(selected) + " buttons selected";
  }
  if (game.HostOpenCount() < 0 || game.HostOpenCount() > 5 || game.HostOpenCount() != opened) {
    return "HostOpenCount " + std::to_string(game.HostOpenCount()) + " with " +
           std::to_string(opened) + " doors open";
  }
  if (game.PeekTicks() < 0 || game.PeekTicks() > 3) {
    return "PeekTicks " + std::to_string(game.PeekTicks());
  }
  if (record.Text(Text2_0) != std::to_string(game.GamesCount()) ||
      record.Text(Text2_1) != std::to_string(game.WinsCount())) {
    return "the counter boxes read " + record.Text(Text2_0) + " and " + record.Text(Text2_1);
  }
  if (game.WinsCount() < 0 || game.WinsCount() > game.GamesCount()) return "more wins than games";
  if (record.Visible(Text1_1) || record.Text(Text1_1) != texts::kLesson) {
    return "the lesson box changed";
  }
  return {};
}

}  // namespace testing_support
