#include "layout/layout.h"

#include <algorithm>
#include <stdexcept>

#include "controls/texts.h"
#include "layout/twips.h"

namespace layout {
namespace {

using enum controls::ControlId;

constexpr Rgb kSystem = std::nullopt;

constexpr std::array<ControlLook, kDrawnCount> kLooks = {{
    {Text2_1, 5760, 2880, 855, 405, kSystem, kSystem, 21},
    {Text2_0, 3240, 2880, 855, 405, kSystem, kSystem, 20},
    {List1, 6360, 480, 735, 1485, kSystem, kSystem, 17},
    {Command1_1, 4560, 1680, 1815, 495, 0xFF8080, kSystem, 16},
    {Command1_0, 2400, 1680, 1815, 495, 0x80FF80, kSystem, 15},
    {Frame2, 2760, 600, 3255, 975, kWindowBack, kSystem, 12},
    {Option2_1, 120, 600, 3015, 300, 0xFFC0FF, kSystem, 14},
    {Option2_0, 120, 300, 3015, 300, 0xFFC0FF, kSystem, 13},
    {Frame1, 240, 480, 1935, 2775, kWindowBack, kSystem, 3},
    {Option1_7, 120, 2400, 1695, 300, 0xC0FFFF, kSystem, 11},
    {Option1_6, 120, 2100, 1695, 300, 0xC0FFFF, kSystem, 10},
    {Option1_5, 120, 1800, 1695, 300, 0xC0FFFF, kSystem, 9},
    {Option1_4, 120, 1500, 1695, 300, 0xC0FFFF, kSystem, 8},
    {Option1_3, 120, 1200, 1695, 300, 0xC0FFFF, kSystem, 7},
    {Option1_2, 120, 900, 1695, 300, 0xC0FFFF, kSystem, 6},
    {Option1_1, 120, 600, 1695, 300, 0xC0FFFF, kSystem, 5},
    {Option1_0, 120, 300, 1695, 300, 0xC0FFFF, kSystem, 4},
    {Text1_1, 600, 3240, 6735, 1815, kSystem, kSystem, 1},
    {Text1_0, 120, 3360, 6735, 1815, kSystem, kSystem, 0},
    {Label1_4, 4440, 2880, 1335, 375, 0xFFE0C0, kSystem, 23},
    {Label1_3, 2280, 2880, 975, 375, 0xFFE0C0, kSystem, 22},
    {Label1_2, 6720, 0, 375, 375, kWindowBack, kSystem, 19},
    {Label1_1, 2280, 2280, 4575, 495, 0xFFFFC0, 0xFF8000, 18},
    {Label1_0, 1200, 0, 4575, 375, 0xFFC080, kSystem, 2},
}};

// Views build and redraw the controls in this order, and the look of a
// control is found by its place in creation order: the timer, created
// first, is never drawn, and every other control has its row here, in
// order.
static_assert(controls::ToIndex(Timer1) == 0 &&
                  controls::InCreationOrder(kLooks, controls::FromIndex(1)),
              "kLooks must list every drawn control in creation order");

static_assert(kLooks[controls::ToIndex(Label1_2) - 1].back == kWindowBack,
              "the peek spot is hidden only while it has exactly the window's colour");

constexpr std::array<controls::ControlId, kDrawnCount> SortedByTabIndex() {
  std::array<ControlLook, kDrawnCount> looks = kLooks;
  std::sort(looks.begin(), looks.end(),
            [](const ControlLook& a, const ControlLook& b) { return a.tab_index < b.tab_index; });
  std::array<controls::ControlId, kDrawnCount> order{};
  std::transform(looks.begin(), looks.end(), order.begin(),
                 [](const ControlLook& look) { return look.id; });
  return order;
}

constexpr std::array<controls::ControlId, kDrawnCount> kTabOrder = SortedByTabIndex();

}  // namespace

const std::array<ControlLook, kDrawnCount>& Looks() { return kLooks; }

const ControlLook& LookOf(controls::ControlId id) {
  if (id == Timer1) throw std::out_of_range("the timer is never drawn");
  return kLooks[controls::ToIndex(id) - 1];
}

PixelSize ClientSize() {
  return {TwipsToPixels(kClientWidthTwips), TwipsToPixels(kClientHeightTwips)};
}

PixelRect RectOf(controls::ControlId id) {
  const ControlLook& look = LookOf(id);
  return {TwipsToPixels(look.left), TwipsToPixels(look.top), TwipsToPixels(look.width),
          TwipsToPixels(look.height)};
}

int FontPixelsOf(controls::ControlId id) {
  return id == Label1_1 ? kNoticeFontPixels : kFontPixels;
}

const std::array<controls::ControlId, kDrawnCount>& TabOrder() { return kTabOrder; }

bool TakesFocus(controls::ControlId id) {
  switch (controls::Info(id).kind) {
    case controls::ControlKind::TextBox:
    case controls::ControlKind::ListBox:
    case controls::ControlKind::CommandButton:
    case controls::ControlKind::OptionButton:
      return true;
    case controls::ControlKind::Timer:
    case controls::ControlKind::Frame:
    case controls::ControlKind::Label:
      return false;
  }
  return false;
}

controls::ControlId FirstFocus() {
  return *std::find_if(kTabOrder.begin(), kTabOrder.end(), TakesFocus);
}

std::string ElementName(controls::ControlId id) {
  const controls::ControlInfo& info = controls::Info(id);
  std::string name(info.name);
  if (info.index >= 0) name += '_' + std::to_string(info.index);
  return name;
}

bool IsMultiLine(controls::ControlId id) { return id == Text1_0 || id == Text1_1; }

std::string_view AccessibleName(controls::ControlId id) {
  switch (id) {
    case Text2_0:
      return texts::kGamesCaption;
    case Text2_1:
      return texts::kWinsCaption;
    case Text1_0:
    case Text1_1:
      return texts::kResultBoxName;
    default:
      return {};
  }
}

}  // namespace layout
