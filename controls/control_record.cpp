#include "controls/control_record.h"

#include <algorithm>
#include <stdexcept>

#include "controls/texts.h"

namespace controls {
namespace {

using enum ControlId;
using enum ControlKind;

constexpr std::array<ControlInfo, kControlCount> kInfo = {{
    {Timer, "Timer1", -1, Container::Window},
    {TextBox, "Text2", 1, Container::Window},
    {TextBox, "Text2", 0, Container::Window},
    {ListBox, "List1", -1, Container::Window},
    {CommandButton, "Command1", 1, Container::Window},
    {CommandButton, "Command1", 0, Container::Window},
    {Frame, "Frame2", -1, Container::Window},
    {OptionButton, "Option2", 1, Container::Frame2},
    {OptionButton, "Option2", 0, Container::Frame2},
    {Frame, "Frame1", -1, Container::Window},
    {OptionButton, "Option1", 7, Container::Frame1},
    {OptionButton, "Option1", 6, Container::Frame1},
    {OptionButton, "Option1", 5, Container::Frame1},
    {OptionButton, "Option1", 4, Container::Frame1},
    {OptionButton, "Option1", 3, Container::Frame1},
    {OptionButton, "Option1", 2, Container::Frame1},
    {OptionButton, "Option1", 1, Container::Frame1},
    {OptionButton, "Option1", 0, Container::Frame1},
    {TextBox, "Text1", 1, Container::Window},
    {TextBox, "Text1", 0, Container::Window},
    {Label, "Label1", 4, Container::Window},
    {Label, "Label1", 3, Container::Window},
    {Label, "Label1", 2, Container::Window},
    {Label, "Label1", 1, Container::Window},
    {Label, "Label1", 0, Container::Window},
}};

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

constexpr std::array<Range, 3> kGroups = {
    GroupRange(Container::Window), GroupRange(Container::Frame1), GroupRange(Container::Frame2)};
static_assert(kGroups[1].last - kGroups[1].first + 1 == kDoorCount);
static_assert(kGroups[2].last - kGroups[2].first + 1 == kPairCount);

[[noreturn]] void NoSuchField(ControlId id, const char* field) {
  throw std::invalid_argument(std::string(Info(id).name) + " has no " + field);
}

}  // namespace

const ControlInfo& Info(ControlId id) { return kInfo.at(ToIndex(id)); }

std::optional<ControlId> FrameAround(ControlId id) {
  switch (Info(id).container) {
    case Container::Frame1:
      return Frame1;
    case Container::Frame2:
      return Frame2;
    case Container::Window:
      break;
  }
  return std::nullopt;
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
