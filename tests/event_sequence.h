// Events as data, so that a test or a fuzzer can make up whole sequences of
// them and replay any one later.
#pragma once

#include <cstdint>
#include <ostream>

#include "controls/control_record.h"

namespace testing_support {

enum class EventKind : std::uint8_t {
  Load,
  ClickCommand1,
  SelectOption2,
  SelectOption1,
  ClickLabel1,
  TickTimer1,
};

inline constexpr int kEventKinds = 6;

struct Event {
  EventKind kind = EventKind::Load;
  std::int16_t index = 0;
};

inline void Send(controls::ControlRecord& record, const Event& event) {
  switch (event.kind) {
    case EventKind::Load:
      record.Load();
      break;
    case EventKind::ClickCommand1:
      record.ClickCommand1(event.index);
      break;
    case EventKind::SelectOption2:
      record.SelectOption2(event.index);
      break;
    case EventKind::SelectOption1:
      record.SelectOption1(event.index);
      break;
    case EventKind::ClickLabel1:
      record.ClickLabel1(event.index);
      break;
    case EventKind::TickTimer1:
      record.TickTimer1();
      break;
  }
}

inline std::ostream& operator<<(std::ostream& out, const Event& event) {
  static constexpr const char* kNames[] = {"Load",          "ClickCommand1", "SelectOption2",
                                           "SelectOption1", "ClickLabel1",   "TickTimer1"};
  out << kNames[static_cast<int>(event.kind)];
  if (event.kind != EventKind::Load && event.kind != EventKind::TickTimer1) {
    out << "(" << event.index << ")";
  }
  return out;
}

}  // namespace testing_support
