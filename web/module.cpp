// The game as the web page sees it: one session of the game, the record's
// entry points, every control's state, and the layout table to draw it
// with. The page keeps nothing of its own; it asks here after every event.
// Plain exported functions, because a binding library's own start-up and
// script would cost the page more than everything else it runs.
#include <emscripten/emscripten.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "controls/control_record.h"
#include "controls/texts.h"
#include "game/session.h"
#include "layout/layout.h"
#include "web/json.h"

namespace {

using web::Json;

// A colour as CSS writes it: #rrggbb.
std::string CssColor(std::uint32_t rgb) {
  constexpr std::string_view kDigits = "0123456789abcdef";
  std::string color = "#";
  for (int shift = 20; shift >= 0; shift -= 4) color += kDigits[(rgb >> shift) & 0xFU];
  return color;
}

// A colour, or null for the browser's own.
void Color(Json& json, std::string_view key, const layout::Rgb& rgb) {
  json.Key(key);
  if (rgb) {
    json.String(CssColor(*rgb));
  } else {
    json.Null();
  }
}

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

long long Position(controls::ControlId id) { return static_cast<long long>(controls::ToIndex(id)); }

// The frame a control stands in, by its position, or null for the window.
void Container(Json& json, controls::ControlId id) {
  json.Key("container");
  if (const std::optional<controls::ControlId> frame = controls::FrameAround(id)) {
    json.Number(Position(*frame));
  } else {
    json.Null();
  }
}

// One drawn control: what it is, where it stands, how it looks.
void Describe(Json& json, const layout::ControlLook& look) {
  const layout::PixelRect rect = layout::RectOf(look.id);
  json.Open('{')
      .Field("position", Position(look.id))
      .Field("element", layout::ElementName(look.id))
      .Field("kind", KindName(controls::Info(look.id).kind));
  Container(json, look.id);
  json.Field("left", rect.left)
      .Field("top", rect.top)
      .Field("width", rect.width)
      .Field("height", rect.height)
      .Flag("multiLine", layout::IsMultiLine(look.id))
      .Field("accessibleName", layout::AccessibleName(look.id))
      .Field("fontPixels", static_cast<long long>(layout::FontPixelsOf(look.id)));
  Color(json, "back", look.back);
  Color(json, "pressed", look.back ? layout::Rgb(layout::Pressed(*look.back)) : std::nullopt);
  Color(json, "fore", look.fore);
  json.Close('}');
}

// The window around the controls and the looks every kind shares.
std::string DescribeWindow() {
  Json json;
  json.Open('{')
      .Field("caption", texts::kTitle)
      .Field("width", static_cast<long long>(layout::ClientSize().width))
      .Field("height", static_cast<long long>(layout::ClientSize().height))
      .Field("frameBorderTop", static_cast<long long>(layout::kFrameBorderTopPixels))
      .Field("frameCaptionLeft", static_cast<long long>(layout::kFrameCaptionLeftPixels))
      .Field("textInset", static_cast<long long>(layout::kTextInsetPixels))
      .Field("textRightInset", static_cast<long long>(layout::kTextRightInsetPixels))
      .Field("fontPixels", static_cast<long long>(layout::kFontPixels))
      .Field("timerInterval", static_cast<long long>(controls::kTimer1IntervalMs))
      .Field("timerPosition", Position(controls::ControlId::Timer1))
      .Field("firstFocus", Position(layout::FirstFocus()));
  Color(json, "back", layout::kWindowBack);
  Color(json, "dimmedText", layout::kDimmedText);
  Color(json, "frameBorder", layout::kFrameBorder);
  Color(json, "buttonBorder", layout::kButtonBorder);
  Color(json, "focusRing", layout::kFocusRing);
  json.Key("fontFamilies").Open('[');
  for (const std::string_view family : layout::kFontFamilies) json.String(family);
  json.Close(']').Key("tabOrder").Open('[');
  for (const controls::ControlId id : layout::TabOrder()) json.Number(Position(id));
  json.Close(']').Key("controls").Open('[');
  for (const layout::ControlLook& look : layout::Looks()) Describe(json, look);
  json.Close(']').Close('}');
  return json.Take();
}

// Every control's state, indexed by its position in creation order.
std::string States(const controls::ControlRecord& record) {
  Json json;
  json.Open('[');
  for (const controls::ControlId id : controls::AllControls()) {
    const controls::ControlState& state = record.State(id);
    json.Open('{')
        .Field("text", state.text)
        .Flag("enabled", state.enabled)
        .Flag("visible", state.visible)
        .Flag("selected", state.selected)
        .Key("items")
        .Open('[');
    for (const std::string& item : state.items) json.String(item);
    json.Close(']').Close('}');
  }
  json.Close(']');
  return json.Take();
}

// The page holds one game per instance of this module.
game::Session& ThePage() {
  static game::Session session;
  return session;
}

// The text handed to the page stays alive until the next call asks again.
const char* Handed(std::string text) {
  static std::string handed;
  handed = std::move(text);
  return handed.c_str();
}

}  // namespace

// The page's calls, named as it calls them.
extern "C" {

EMSCRIPTEN_KEEPALIVE const char* describeWindow() { return Handed(DescribeWindow()); }
EMSCRIPTEN_KEEPALIVE const char* states() { return Handed(States(ThePage().Record())); }
EMSCRIPTEN_KEEPALIVE void load() { ThePage().Record().Load(); }
EMSCRIPTEN_KEEPALIVE void tickTimer1() { ThePage().Record().TickTimer1(); }
// The player activated the control at this position in creation order; a
// position the window does not have is ignored.
EMSCRIPTEN_KEEPALIVE void activate(int position) {
  if (position < 0 || static_cast<std::size_t>(position) >= controls::kControlCount) return;
  ThePage().Record().Activate(controls::FromIndex(static_cast<std::size_t>(position)));
}

}  // extern "C"
