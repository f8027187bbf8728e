#include "controls/control_record.h"

#include <algorithm>
#include <stdexcept>

#include "controls/texts.h"

namespace controls {
namespace {

using enum ControlId;
using enum ControlKind;

constexpr std::array<ControlInfo, kControlCount> kInfo = {{
    {Timer1, Timer, "Timer1", -1, Container::Window},
    {Text2_1, TextBox, "Text2", 1, Container::Window},
    {Text2_0, TextBox, "Text2", 0, Container::Window},
    {List1, ListBox, "List1", -1, Container::Window},
    {Command1_1, CommandButton, "Command1", 1, Container::Window},
    {Command1_0, CommandButton, "Command1", 0, Container::Window},
    {Frame2, Frame, "Frame2", -1, Container::Window},
    {Option2_1, OptionButton, "Option2", 1, Container::Frame2},
    {Option2_0, OptionButton, "Option2", 0, Container::Frame2},
    {Frame1, Frame, "Frame1", -1, Container::Window},
    {Option1_7, OptionButton, "Option1", 7, Container::Frame1},
    {Option1_6, OptionButton, "Option1", 6, Container::Frame1},
    {Option1_5, OptionButton, "Option1", 5, Container::Frame1},
    {Option1_4, OptionButton, "Option1", 4, Container::Frame1},
    {Option1_3, OptionButton, "Option1", 3, Container::Frame1},
    {Option1_2, OptionButton, "Option1", 2, Container::Frame1},
    {Option1_1, OptionButton, "Option1", 1, Container::Frame1},
    {Option1_0, OptionButton, "Option1", 0, Container::Frame1},
    {Text1_1, TextBox, "Text1", 1, Container::Window},
    {Text1_0, TextBox, "Text1", 0, Container::Window},
    {Label1_4, Label, "Label1", 4, Container::Window},
    {Label1_3, Label, "Label1", 3, Container::Window},
    {Label1_2, Label, "Label1", 2, Container::Window},
    {Label1_1, Label, "Label1", 1, Container::Window},
    {Label1_0, Label, "Label1", 0, Container::Window},
}};

// Row i must describe control i: Info reads the table by position.
static_assert(InCreationOrder(kInfo, Timer1), "kInfo must list every control in creation order");

// The control that a name and index stand for, as the array accessors
// work it out; none for a name no control has.
constexpr std::optional<ControlId> Named(std::string_view name, int index) {
  if (index < 0) {
    if (name == "Timer1") return Timer1;
    if (name == "List1") return List1;
    if (name == "Frame1") return Frame1;
    if (name == "Frame2") return Frame2;
    return std::nullopt;
  }
  if (name == "Text1") return Text1(index);
  if (name == "Text2") return Text2(index);
  if (name == "Command1") return Command1(index);
  if (name == "Option1") return Option1(index);
  if (name == "Option2") return Option2(index);
  if (name == "Label1") return Label1(index);
  return std::nullopt;
}

// The handlers receive a row's index (PickDoor(i)) and the views name each
// element by its row's name and index, while the game reaches controls
// through the array accessors: both must mean the same control.
constexpr bool NamesMeanTheirRows() {
  return std::all_of(kInfo.begin(), kInfo.end(),
                     [](const ControlInfo& row) { return Named(row.name, row.index) == row.id; });
}
static_assert(NamesMeanTheirRows(), "a row's name and index must name the control of its row");

constexpr ControlId FrameOf(Container container) {
  return container == Container::Frame1 ? Frame1 : Frame2;
}

// A view builds the controls in creation order and puts each into its
// frame, which must therefore already be there.
constexpr bool FramesComeBeforeTheirControls() {
  for (std::size_t i = 0; i < kControlCount; ++i) {
    const Container container = kInfo[i].container;
    if (container == Container::Window) continue;
    const std::size_t frame = ToIndex(FrameOf(container));
    if (kInfo[frame].kind != Frame || frame >= i) return false;
  }
  return true;
}
static_assert(FramesComeBeforeTheirControls(), "every frame must come before the controls in it");

// Each group's option buttons stand next to each other in creation order;
// selecting one clears exactly this range.
struct Range {
  std::size_t first = kControlCount;
  std::size_t last = 0;
};

constexpr Range GroupRange(Container container) {
  Range range;
  for (std::size_t i = 0; i < kControlCount; ++i) {
    if (kInfo[i].kind == OptionButton && kInfo[i].container == container) {
      range.first = std::min(range.first, i);
      range.last = std::max(range.last, i);
    }
  }
  return range;
}

// Nothing but the group's own buttons between its first and its last.
constexpr bool GroupStandsTogether(Container container) {
  const Range range = GroupRange(container);
  for (std::size_t i = range.first; i <= range.last && i < kControlCount; ++i) {
    if (kInfo[i].kind != OptionButton || kInfo[i].container != container) return false;
  }
  return true;
}

constexpr std::array<Range, 3> kGroups = {
    GroupRange(Container::Window), GroupRange(Container::Frame1), GroupRange(Container::Frame2)};
static_assert(GroupStandsTogether(Container::Frame1) && GroupStandsTogether(Container::Frame2),
              "each group's option buttons must stand together");
static_assert(kGroups[1].last - kGroups[1].first + 1 == kDoorCount);
static_assert(kGroups[2].last - kGroups[2].first + 1 == kPairCount);

[[noreturn]] void NoSuchField(ControlId id, const char* field) {
  throw std::invalid_argument(std::string(Info(id).name) + " has no " + field);
}

}  // namespace

const ControlInfo& Info(ControlId id) { return kInfo.at(ToIndex(id)); }

std::optional<ControlId> FrameAround(ControlId id) {
  const Container container = Info(id).container;
  if (container == Container::Window) return std::nullopt;
  return FrameOf(container);
}

std::string DoorCaption(int door) {
  return std::string(texts::kDoorPrefix) + ' ' + std::to_string(door + 1);
}

ControlRecord::ControlRecord() {
  Mutable(Timer1).enabled = false;
  Mutable(Command1_1).text = texts::kNewGame;
  Mutable(Command1_0).text = texts::kOffer;
  Mutable(Frame2).text = texts::kChooserFrame;
  Mutable(Option2_1).text = texts::kChooseHost;
  Mutable(Option2_0).text = texts::kChooseDirect;
  Mutable(Frame1).text = texts::kDoorsFrame;
  Mutable(Frame1).enabled = false;
  for (int door = 0; door < static_cast<int>(kDoorCount); ++door) {
    Mutable(Option1(door)).text = DoorCaption(door);
  }
  Mutable(Text1_1).text = texts::kLesson;
  Mutable(Text1_1).visible = false;
  Mutable(Text1_0).text = texts::kIntroduction;
  Mutable(Label1_4).text = texts::kWinsCaption;
  Mutable(Label1_3).text = texts::kGamesCaption;
  Mutable(Label1_1).text = texts::kSponsorNotice;
  Mutable(Label1_1).visible = false;
  Mutable(Label1_0).text = texts::kTitle;
}

bool ControlRecord::TakesInput(ControlId id) const {
  if (!loaded_) return false;
  const ControlState& state = State(id);
  if (!state.visible || !state.enabled) return false;
  const std::optional<ControlId> frame = FrameAround(id);
  return !frame || (Visible(*frame) && Enabled(*frame));
}

std::string& ControlRecord::MutableText(ControlId id) {
  const ControlKind kind = Info(id).kind;
  if (kind == Timer || kind == ListBox) NoSuchField(id, "caption or text");
  return Mutable(id).text;
}

void ControlRecord::SetText(ControlId id, std::string_view text) { MutableText(id).assign(text); }

void ControlRecord::AppendText(ControlId id, std::string_view text) {
  MutableText(id).append(text);
}

void ControlRecord::SetEnabled(ControlId id, bool enabled) { Mutable(id).enabled = enabled; }

void ControlRecord::SetVisible(ControlId id, bool visible) {
  if (Info(id).kind == Timer) NoSuchField(id, "visible flag");
  Mutable(id).visible = visible;
}

void ControlRecord::SetSelected(ControlId id, bool selected) {
  const ControlInfo& info = Info(id);
  if (info.kind != OptionButton) NoSuchField(id, "selected flag");
  if (!selected) {
    Mutable(id).selected = false;
    return;
  }
  const Range group = kGroups[static_cast<std::size_t>(info.container)];
  for (std::size_t i = group.first; i <= group.last; ++i) controls_[i].selected = false;
  Mutable(id).selected = true;
  RaiseSelected(id);
}

void ControlRecord::ClearItems() { Mutable(List1).items.clear(); }

void ControlRecord::AppendItem(std::string_view item) { Mutable(List1).items.emplace_back(item); }

void ControlRecord::SetItem(std::size_t i, std::string_view item) {
  Mutable(List1).items.at(i).assign(item);
}

void ControlRecord::RaiseSelected(ControlId id) {
  EventHandlers* handlers = route_.Handlers();
  if (handlers == nullptr) return;
  const ControlInfo& info = Info(id);
  if (info.container == Container::Frame1) {
    handlers->PickDoor(info.index);
  } else if (id == Option2_0) {
    handlers->ChooseDirect();
  } else {
    handlers->ChooseHost();
  }
}

void ControlRecord::UserSelect(ControlId id) {
  if (TakesInput(id)) SetSelected(id, true);
}

void ControlRecord::Load() {
  loaded_ = true;
  if (EventHandlers* handlers = route_.Handlers()) handlers->StartUp();
}

void ControlRecord::ClickCommand1(std::int16_t index) {
  if (index < 0 || index >= static_cast<std::int16_t>(kPairCount)) return;
  EventHandlers* handlers = route_.Handlers();
  if (handlers == nullptr || !TakesInput(Command1(index))) return;
  if (index == 0) {
    handlers->Offer();
  } else {
    handlers->RestartGame();
  }
}

void ControlRecord::SelectOption2(std::int16_t index) {
  if (index < 0 || index >= static_cast<std::int16_t>(kPairCount)) return;
  UserSelect(Option2(index));
}

void ControlRecord::SelectOption1(std::int16_t index) {
  if (index < 0 || index >= static_cast<std::int16_t>(kDoorCount)) return;
  UserSelect(Option1(index));
}

void ControlRecord::ClickLabel1(std::int16_t index) {
  if (index < 0 || index >= static_cast<std::int16_t>(kLabelCount)) return;
  EventHandlers* handlers = route_.Handlers();
  if (handlers == nullptr || !TakesInput(Label1(index))) return;
  handlers->PeekClick(index);
}

void ControlRecord::Activate(ControlId id) {
  const ControlInfo& info = Info(id);
  switch (info.kind) {
    case CommandButton:
      ClickCommand1(info.index);
      return;
    case OptionButton:
      if (info.container == Container::Frame1) {
        SelectOption1(info.index);
      } else {
        SelectOption2(info.index);
      }
      return;
    case Label:
      ClickLabel1(info.index);
      return;
    case Timer:
    case TextBox:
    case ListBox:
    case Frame:
      return;
  }
}

void ControlRecord::TickTimer1() {
  EventHandlers* handlers = route_.Handlers();
  if (handlers == nullptr || !loaded_ || !Enabled(Timer1)) return;
  handlers->PeekTick();
}

}  // namespace controls
