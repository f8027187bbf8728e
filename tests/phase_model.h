// A small model of the game's phases, written from the rules rather than
// from the code: which flags each event should leave, and whether the event
// should be ignored. The property test plays it alongside the real record.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "controls/control_record.h"
#include "controls/texts.h"
#include "event_sequence.h"

namespace testing_support {

struct PhaseModel {
  bool loaded = false;
  bool doors_frame = false;
  bool chooser_frame = true;
  bool offer = true;
  bool host_choice = true;
  bool notice = false;
  int chooser = -1;  // the selected chooser button, or -1
  int picked = -1;   // the picked door, or -1
  int opened = 0;
  std::array<bool, 8> door_open{};
  std::array<bool, 8> door_enabled{true, true, true, true, true, true, true, true};
  std::int64_t games = 0;
  std::int64_t wins = 0;
  bool list_visible = true;
  bool timer = false;
  int peek_ticks = 0;
  std::string result{texts::kIntroduction};

  // Whether the record should ignore the event outright.
  bool Ignores(const Event& event) const {
    const bool in_range = [&] {
      switch (event.kind) {
        case EventKind::ClickCommand1:
        case EventKind::SelectOption2:
          return event.index >= 0 && event.index <= 1;
        case EventKind::SelectOption1:
          return event.index >= 0 && event.index <= 7;
        case EventKind::ClickLabel1:
          return event.index >= 0 && event.index <= 4;
        default:
          return true;
      }
    }();
    if (event.kind == EventKind::Load) return false;
    if (!loaded || !in_range) return true;
    switch (event.kind) {
      case EventKind::ClickCommand1:
        return event.index == 0 && !offer;
      case EventKind::SelectOption2:
        return !chooser_frame || (event.index == 1 && !host_choice);
      case EventKind::SelectOption1:
        return !doors_frame || !door_enabled[static_cast<std::size_t>(event.index)];
      case EventKind::ClickLabel1:
        return event.index == 1 && !notice;
      case EventKind::TickTimer1:
        return !timer;
      default:
        return false;
    }
  }

  void NewGame() {
    list_visible = false;
    notice = false;
    ++games;
    peek_ticks = 0;
    chooser = -1;
    picked = -1;
    opened = 0;
    door_open = {};
    door_enabled.fill(true);
    doors_frame = false;
    chooser_frame = true;
    offer = false;
    host_choice = true;
  }

  void ChooseDirect() {
    chooser = 0;
    doors_frame = true;
    for (std::size_t door = 0; door < 8; ++door) door_enabled[door] = !door_open[door];
  }

  // `opened_door` is the door the host opened, as the record shows it, and
  // `jackpot` the door of the jackpot: the model cannot draw them itself.
  void Apply(const Event& event, int opened_door, int jackpot) {
    if (Ignores(event)) return;
    switch (event.kind) {
      case EventKind::Load:
        loaded = true;
        games = 0;
        wins = 0;
        NewGame();
        break;
      case EventKind::ClickCommand1:
        if (event.index == 1) {
          NewGame();
          result.clear();
          break;
        }
        if (opened < 5) {
          ++opened;
          door_open[static_cast<std::size_t>(opened_door)] = true;
          door_enabled[static_cast<std::size_t>(opened_door)] = false;
          chooser = -1;
          offer = false;
        }
        if (opened >= 5) {
          ChooseDirect();
          host_choice = false;
          notice = true;
        }
        break;
      case EventKind::SelectOption2:
        if (event.index == 0) {
          ChooseDirect();
        } else {
          chooser = 1;
          offer = true;
        }
        break;
      case EventKind::SelectOption1:
        picked = event.index;
        result = std::string(texts::kResultHeading) + "\r\n";
        if (picked == jackpot) {
          ++wins;
          result += texts::kJackpot;
        } else {
          result += std::string(texts::kCabbage) + "\r\n" + std::string(texts::kLesson);
        }
        doors_frame = false;
        chooser_frame = false;
        offer = false;
        break;
      case EventKind::ClickLabel1:
        if (event.index == 2) {
          list_visible = true;
          timer = true;
          peek_ticks = 0;
        }
        break;
      case EventKind::TickTimer1:
        if (++peek_ticks >= 3) {
          list_visible = false;
          peek_ticks = 0;
          timer = false;
        }
        break;
    }
  }

  // Where the record disagrees with the model, or an empty string.
  std::string Compare(const controls::ControlRecord& record, std::int64_t games_count,
                      std::int64_t wins_count, int ticks) const {
    using controls::Option1;
    using enum controls::ControlId;
    const auto differs = [](const char* what) { return std::string(what) + " differs"; };
    if (record.Enabled(Frame1) != doors_frame) return differs("Frame1 enabled");
    if (record.Enabled(Frame2) != chooser_frame) return differs("Frame2 enabled");
    if (record.Enabled(Command1_0) != offer) return differs("Command1(0) enabled");
    if (record.Enabled(Option2_1) != host_choice) return differs("Option2(1) enabled");
    if (!record.Enabled(Option2_0) || !record.Enabled(Command1_1)) return differs("always-on");
    if (record.Visible(Label1_1) != notice) return differs("Label1(1) visible");
    if (record.Selected(Option2_0) != (chooser == 0)) return differs("Option2(0) selected");
    if (record.Selected(Option2_1) != (chooser == 1)) return differs("Option2(1) selected");
    for (int door = 0; door < 8; ++door) {
      const auto at = static_cast<std::size_t>(door);
      if (record.Selected(Option1(door)) != (picked == door)) return differs("door selected");
      if (record.Enabled(Option1(door)) != door_enabled[at]) return differs("door enabled");
      if ((record.Item(at) == "0") != door_open[at]) return differs("door open");
    }
    if (record.Visible(List1) != list_visible) return differs("List1 visible");
    if (record.Enabled(Timer1) != timer) return differs("Timer1 enabled");
    if (games_count != games || wins_count != wins) return differs("counters");
    if (ticks != peek_ticks) return differs("PeekTicks");
    if (record.Text(Text1_0) != result) return differs("the result text");
    return {};
  }
};

}  // namespace testing_support
