// Where each control stands, in which colours, and where it sits in the tab
// order: the window's design, in twips, away from the code that builds it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "controls/control_id.h"

namespace window {

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
// dpi the desktop claims.
inline constexpr int kFontPixels = 16;
inline constexpr int kNoticeFontPixels = 13;

// Every drawn control, in creation order; the timer is never drawn.
const std::array<ControlLook, controls::kControlCount - 1>& Looks();

// The look of one control; the timer has none and throws std::out_of_range.
const ControlLook& LookOf(controls::ControlId id);

}  // namespace window
