// The game as the web page sees it: one record with its game, the record's
// entry points, every control's state, and the layout table to draw it
// with. The page keeps nothing of its own; it asks here after every event.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cstdint>
#include <string>

#include "controls/control_record.h"
#include "controls/layout.h"
#include "controls/texts.h"
#include "controls/twips.h"
#include "game/game.h"
#include "game/random_source.h"

namespace {

using emscripten::val;

std::string CssColor(std::uint32_t rgb) {
  constexpr char kDigits[] = "0123456789abcdef";
  std::string color = "#";
  for (int shift = 20; shift >= 0; shift -= 4) color += kDigits[(rgb >> shift) & 0xFU];
  return color;
}

val CssColor(const layout::Rgb& rgb) { return rgb ? val(CssColor(*rgb)) : val::null(); }

const char* KindName(controls::ControlKind kind) {
  switch (kind) {
    case controls::ControlKind::Timer:
      return "timer";
    case controls::ControlKind::TextBox:
      return "textBox";
    case controls::ControlKind::ListBox:
      return "listBox";
    case controls::ControlKind::CommandButton:
      return "commandButton";
    case controls::ControlKind::Frame:
      return "frame";
    case controls::ControlKind::OptionButton:
      return "optionButton";
    case controls::ControlKind::Label:
      return "label";
  }
  return "";
}

val ContainerPosition(controls::Container container) {
  switch (container) {
    case controls::Container::Frame1:
      return val(controls::ToIndex(controls::ControlId::Frame1));
    case controls::Container::Frame2:
      return val(controls::ToIndex(controls::ControlId::Frame2));
    case controls::Container::Window:
      break;
  }
  return val::null();
}

val Pixels(int twips) { return val(layout::TwipsToPixels(twips)); }

// One drawn control: what it is, where it stands, how it looks.
val Describe(const layout::ControlLook& look) {
  const controls::ControlInfo& info = controls::Info(look.id);
  val control = val::object();
  control.set("position", controls::ToIndex(look.id));
  control.set("name", std::string(info.name));
  control.set("index", info.index);
  control.set("kind", KindName(info.kind));
  control.set("container", ContainerPosition(info.container));
  control.set("left", Pixels(look.left));
  control.set("top", Pixels(look.top));
  control.set("width", Pixels(look.width));
  control.set("height", Pixels(look.height));
  control.set("back", CssColor(look.back));
  control.set("pressed", look.back ? val(CssColor(layout::Pressed(*look.back))) : val::null());
  control.set("fore", CssColor(look.fore));
  control.set("tabIndex", look.tab_index);
  control.set("fontPixels", look.id == controls::ControlId::Label1_1 ? layout::kNoticeFontPixels
                                                                     : layout::kFontPixels);
  control.set("multiLine", layout::IsMultiLine(look.id));
  control.set("accessibleName", std::string(layout::AccessibleName(look.id)));
  return control;
}

// The window around the controls and the looks every kind shares.
val DescribeWindow() {
  val window = val::object();
  window.set("caption", std::string(texts::kTitle));
  window.set("width", Pixels(layout::kClientWidthTwips));
  window.set("height", Pixels(layout::kClientHeightTwips));
  window.set("back", CssColor(layout::kWindowBack));
  window.set("dimmedText", CssColor(layout::kDimmedText));
  window.set("frameBorder", CssColor(layout::kFrameBorder));
  window.set("buttonBorder", CssColor(layout::kButtonBorder));
  window.set("focusRing", CssColor(layout::kFocusRing));
  window.set("frameBorderTop", layout::kFrameBorderTopPixels);
  window.set("frameCaptionLeft", layout::kFrameCaptionLeftPixels);
  window.set("textInset", layout::kTextInsetPixels);
  window.set("textRightInset", layout::kTextRightInsetPixels);
  val families = val::array();
  for (const std::string_view family : layout::kFontFamilies) {
    families.call<void>("push", std::string(family));
  }
  window.set("fontFamilies", families);
  window.set("fontPixels", layout::kFontPixels);
  window.set("timerInterval", controls::kTimer1IntervalMs);
  window.set("timerPosition", controls::ToIndex(controls::ControlId::Timer1));
  val controls = val::array();
  for (const layout::ControlLook& look : layout::Looks()) {
    controls.call<void>("push", Describe(look));
  }
  window.set("controls", controls);
  return window;
}

val DescribeState(const controls::ControlState& state) {
  val described = val::object();
  described.set("text", state.text);
  described.set("enabled", state.enabled);
  described.set("visible", state.visible);
  described.set("selected", state.selected);
  val items = val::array();
  for (const std::string& item : state.items) items.call<void>("push", item);
  described.set("items", items);
  return described;
}

// A record and the game bound to it. It neither moves nor copies, because
// the game holds the record and the generator by reference.
class Session {
 public:
  Session() = default;
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  void Load() { record_.Load(); }
  void ClickCommand1(std::int16_t index) { record_.ClickCommand1(index); }
  void SelectOption2(std::int16_t index) { record_.SelectOption2(index); }
  void SelectOption1(std::int16_t index) { record_.SelectOption1(index); }
  void ClickLabel1(std::int16_t index) { record_.ClickLabel1(index); }
  void TickTimer1() { record_.TickTimer1(); }

  // Every control's state, indexed by its position in creation order.
  val States() const {
    val states = val::array();
    for (const controls::ControlId id : controls::AllControls()) {
      states.call<void>("push", DescribeState(record_.State(id)));
    }
    return states;
  }

 private:
  controls::ControlRecord record_;
  game::TwisterRandom random_;
  game::Game game_{record_, random_};
};

}  // namespace

EMSCRIPTEN_BINDINGS(zimarela) {
  emscripten::function("describeWindow", &DescribeWindow);
  emscripten::class_<Session>("Session")
      .constructor<>()
      .function("load", &Session::Load)
      .function("clickCommand1", &Session::ClickCommand1)
      .function("selectOption2", &Session::SelectOption2)
      .function("selectOption1", &Session::SelectOption1)
      .function("clickLabel1", &Session::ClickLabel1)
      .function("tickTimer1", &Session::TickTimer1)
      .function("states", &Session::States);
}
