// Where each control stands, in which colours, and where it sits in the tab
// order: the window's design, in twips, away from the code that builds it.
// It names no toolkit, so every front end draws from the same table.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "controls/control_id.h"

namespace layout {

// #RRGGBB; no value means the toolkit's own colour for that kind of control.
using Rgb = std::optional<std::uint32_t>;

struct ControlLook {
  controls::ControlId id;
  int left;  // twips, from the top-left corner of the container
  int top;
  int width;
  int height;
  Rgb back;
  Rgb fore;
  int tab_index;
};

inline constexpr int kClientWidthTwips = 7110;
inline constexpr int kClientHeightTwips = 5310;
inline constexpr std::uint32_t kWindowBack = 0xC0C0FF;

// The window's font, "Times New Roman" 12 pt, and the sponsor notice's
// 9.75 pt, as pixels at 96 dpi so that captions keep their width whatever
// dpi the desktop claims. Liberation Serif and Tinos share its metrics, so
// captions break in the same places with either.
inline constexpr std::array<std::string_view, 3> kFontFamilies = {"Times New Roman",
                                                                  "Liberation Serif", "Tinos"};
inline constexpr int kFontPixels = 16;
inline constexpr int kNoticeFontPixels = 13;

// How the kinds of control are drawn beyond their own colours. Locked
// controls must stay legible on their pale colours, which a toolkit's own
// disabled grey is not.
inline constexpr std::uint32_t kDimmedText = 0x6C6C84;
inline constexpr std::uint32_t kFrameBorder = 0x8080A8;
inline constexpr std::uint32_t kButtonBorder = 0x707070;
inline constexpr std::uint32_t kFocusRing = 0x2850B8;
// A command button the table gives no colour of its own.
inline constexpr std::uint32_t kButtonFace = 0xE0E0E0;
// A frame's caption sits in its top edge: the border runs this many pixels
// below the frame's top, and the caption starts this far in from its left.
inline constexpr int kFrameBorderTopPixels = 9;
inline constexpr int kFrameCaptionLeftPixels = 6;
// Where a multi-line box lays out its text: this far in from its left and
// top edges, and this far from its right edge, scroll bar included. Every
// front end keeps to it, so the result breaks its lines in the same places.
inline constexpr int kTextInsetPixels = 5;
inline constexpr int kTextRightInsetPixels = 19;

// A pressed button darkens its own colour by a sixth.
constexpr std::uint32_t Pressed(std::uint32_t rgb) {
  std::uint32_t result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const std::uint32_t channel = (rgb >> shift) & 0xFFU;
    result |= (channel * 5 / 6) << shift;
  }
  return result;
}

inline constexpr std::size_t kDrawnCount = controls::kControlCount - 1;

// Every drawn control, in creation order; the timer is never drawn.
const std::array<ControlLook, kDrawnCount>& Looks();

// The look of one control; the timer has none and throws std::out_of_range.
const ControlLook& LookOf(controls::ControlId id);

// The result and lesson boxes hold many lines; the counters one, centred.
bool IsMultiLine(controls::ControlId id);

// What a screen reader calls a control that has no caption of its own: the
// counters are named by the captions beside them. Empty for the others.
std::string_view AccessibleName(controls::ControlId id);

// The facts every view draws by, worked out from the table once, in
// pixels at 96 dpi, so that no view converts, sorts or chooses for itself.
struct PixelSize {
  int width;
  int height;
};

struct PixelRect {
  int left;  // from the top-left corner of the container
  int top;
  int width;
  int height;
};

PixelSize ClientSize();
// The timer has no rectangle and throws std::out_of_range.
PixelRect RectOf(controls::ControlId id);
// The sponsor notice has a smaller font than the window's.
int FontPixelsOf(controls::ControlId id);

// Every drawn control by its tab index, first to last.
const std::array<controls::ControlId, kDrawnCount>& TabOrder();
// Whether the keyboard can reach the control at all: labels and frames
// are passed over by Tab.
bool TakesFocus(controls::ControlId id);
// Where the focus starts: the first control in tab order that takes it.
controls::ControlId FirstFocus();

// What every view calls a control's element: the array's name and the
// member's index ("Option1_3"), or the name alone outside an array
// ("List1").
std::string ElementName(controls::ControlId id);

}  // namespace layout
