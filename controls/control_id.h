// Names every control of the window and what kind of control it is. The
// enumerators follow the order in which the window creates its controls, so
// iterating over them walks the controls in creation order. Every table
// with a row per control names the control in each row, and the compiler
// checks that the rows stand in this order.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string_view>

namespace controls {

enum class ControlId : std::uint8_t {
  Timer1,
  Text2_1,
  Text2_0,
  List1,
  Command1_1,
  Command1_0,
  Frame2,
  Option2_1,
  Option2_0,
  Frame1,
  Option1_7,
  Option1_6,
  Option1_5,
  Option1_4,
  Option1_3,
  Option1_2,
  Option1_1,
  Option1_0,
  Text1_1,
  Text1_0,
  Label1_4,
  Label1_3,
  Label1_2,
  Label1_1,
  Label1_0,
};

inline constexpr std::size_t kControlCount = static_cast<std::size_t>(ControlId::Label1_0) + 1;

enum class ControlKind : std::uint8_t {
  Timer,
  TextBox,
  ListBox,
  CommandButton,
  Frame,
  OptionButton,
  Label,
};

// Which control a control sits in. Only the two frames hold other controls.
enum class Container : std::uint8_t { Window, Frame1, Frame2 };

// The fixed facts about a control: none of them changes while the game runs.
struct ControlInfo {
  ControlId id;
  ControlKind kind;
  std::string_view name;  // the array's name, "Option1"
  std::int16_t index;     // the member's index, or -1 outside any array
  Container container;
};

inline constexpr std::size_t kDoorCount = 8;
inline constexpr std::size_t kLabelCount = 5;
inline constexpr std::size_t kPairCount = 2;  // Command1, Option2, Text1, Text2

constexpr std::size_t ToIndex(ControlId id) { return static_cast<std::size_t>(id); }

constexpr ControlId FromIndex(std::size_t position) {
  if (position >= kControlCount) {
    throw std::out_of_range("no control at this position");
  }
  return static_cast<ControlId>(position);
}

// All controls in creation order, for loops that visit every one.
constexpr std::array<ControlId, kControlCount> AllControls() {
  std::array<ControlId, kControlCount> all{};
  for (std::size_t i = 0; i < kControlCount; ++i) {
    all[i] = static_cast<ControlId>(i);
  }
  return all;
}

// Whether a table that names its control in each row lists the controls
// one after another in creation order, starting at `first`. A row moved,
// left out or added in the wrong place fails it.
template <typename Row, std::size_t RowCount>
constexpr bool InCreationOrder(const std::array<Row, RowCount>& rows, ControlId first) {
  if (ToIndex(first) + RowCount > kControlCount) return false;
  for (std::size_t i = 0; i < RowCount; ++i) {
    if (ToIndex(rows[i].id) != ToIndex(first) + i) return false;
  }
  return true;
}

namespace detail {

// Arrays are created from their highest index down, so member i sits
// `i` places before member 0.
constexpr ControlId Member(ControlId zeroth, std::size_t count, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= count) {
    throw std::out_of_range("control array index out of range");
  }
  return static_cast<ControlId>(ToIndex(zeroth) - static_cast<std::size_t>(index));
}

}  // namespace detail

// Members of the control arrays by index. An index outside the array is a
// programming error and throws std::out_of_range rather than naming some
// other control.
constexpr ControlId Option1(int door) {
  return detail::Member(ControlId::Option1_0, kDoorCount, door);
}
constexpr ControlId Label1(int index) {
  return detail::Member(ControlId::Label1_0, kLabelCount, index);
}
constexpr ControlId Option2(int index) {
  return detail::Member(ControlId::Option2_0, kPairCount, index);
}
constexpr ControlId Command1(int index) {
  return detail::Member(ControlId::Command1_0, kPairCount, index);
}
constexpr ControlId Text1(int index) {
  return detail::Member(ControlId::Text1_0, kPairCount, index);
}
constexpr ControlId Text2(int index) {
  return detail::Member(ControlId::Text2_0, kPairCount, index);
}

const ControlInfo& Info(ControlId id);

// The frame a control stands in, or none for a control on the window.
std::optional<ControlId> FrameAround(ControlId id);

}  // namespace controls
