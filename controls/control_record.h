// The state of every control of the window, independent of any toolkit.
//
// The game changes controls only through the operations below, and users
// (the window, tests, any other front end) reach the game only through the
// entry points, which apply the event rules and route each event to the
// operation the handlers table provides.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "controls/control_id.h"
#include "controls/event_handlers.h"

namespace controls {

inline constexpr int kTimer1IntervalMs = 1000;

// The caption of a closed door: "Врата" and the door number, index + 1.
std::string DoorCaption(int door);

// What can change about a control. `selected` only means something for
// option buttons and `items` only for the list box; the other kinds keep
// them at their defaults.
struct ControlState {
  std::string text;  // caption or text, whichever the kind has
  bool enabled = true;
  bool visible = true;
  bool selected = false;
  std::vector<std::string> items;

  bool operator==(const ControlState&) const = default;
};

class ControlRecord {
 public:
  // Every control in its design-time state; no handlers bound yet.
  ControlRecord();

  // A copy is state only: the event route inside copies no binding, so a
  // copy's events can never reach the game that drives the original, and
  // the record's state compares as a whole.
  ControlRecord(const ControlRecord&) = default;
  ControlRecord& operator=(const ControlRecord&) = default;
  bool operator==(const ControlRecord&) const = default;

  // The handlers stay owned by the caller, who must unbind (pass nullptr)
  // before they go away. Without handlers, events route nowhere.
  void Bind(EventHandlers* handlers) { route_.Bind(handlers); }

  // Reading.
  const ControlState& State(ControlId id) const { return controls_[ToIndex(id)]; }
  const std::string& Text(ControlId id) const { return State(id).text; }
  bool Enabled(ControlId id) const { return State(id).enabled; }
  bool Visible(ControlId id) const { return State(id).visible; }
  bool Selected(ControlId id) const { return State(id).selected; }
  const std::vector<std::string>& Items() const { return State(ControlId::List1).items; }
  // Throws std::out_of_range for an item the list does not have.
  const std::string& Item(std::size_t i) const { return Items().at(i); }

  // Whether a user event on this control would be accepted: it is visible
  // and enabled, and so is the frame around it, if any.
  bool TakesInput(ControlId id) const;

  bool Loaded() const { return loaded_; }

  // Changing, for the game's operations. Each takes effect at once. A field
  // the control's kind does not have throws std::invalid_argument.
  void SetText(ControlId id, std::string_view text);
  // The text becomes its current text followed by `text`, in place, so a
  // text built a piece at a time keeps the capacity it already has.
  void AppendText(ControlId id, std::string_view text);
  void SetEnabled(ControlId id, bool enabled);
  void SetVisible(ControlId id, bool visible);
  // Selecting unselects the rest of the button's group silently, then runs
  // the button's selection event before returning. Unselecting raises
  // nothing.
  void SetSelected(ControlId id, bool selected);
  void ClearItems();
  void AppendItem(std::string_view item);
  // Throws std::out_of_range for an item the list does not have.
  void SetItem(std::size_t i, std::string_view item);

  // Entry points. Array handlers take the member's index; an index the
  // array does not have is ignored, as is any event the event rules refuse.
  // Until Load has run there is no game to play, so every other entry point
  // ignores its events.
  void Load();
  void ClickCommand1(std::int16_t index);
  void SelectOption2(std::int16_t index);
  void SelectOption1(std::int16_t index);
  void ClickLabel1(std::int16_t index);
  void TickTimer1();

  // The player activated a control: a click on a command button or a
  // label, a selection of an option button. Reaches the entry point above
  // that the control's array names, with its index; a control of any other
  // kind has no such event, and nothing happens. A view hands every
  // control's activation here and needs to know no routing of its own.
  void Activate(ControlId id);

 private:
  ControlState& Mutable(ControlId id) { return controls_[ToIndex(id)]; }
  std::string& MutableText(ControlId id);
  void RaiseSelected(ControlId id);
  void UserSelect(ControlId id);

  std::array<ControlState, kControlCount> controls_;
  EventRoute route_;
  bool loaded_ = false;
};

}  // namespace controls
