// The title bar the game draws itself where the desktop leaves that to it:
// its whole design, colours and sizes in pixels. Fixed colours, like the
// rest of the window, so that no desktop theme can make the caption
// unreadable.
#pragma once

#include <cstdint>

namespace layout {

inline constexpr std::uint32_t kTitleBarBack = 0x404070;
inline constexpr std::uint32_t kTitleBarText = 0xFFFFFF;
inline constexpr std::uint32_t kCloseBoxHover = 0xC04040;
// An inactive window's bar fades, as title bars do, and stays readable.
inline constexpr std::uint32_t kInactiveTitleBarBack = 0xB8B8CC;
inline constexpr std::uint32_t kInactiveTitleBarText = 0x303040;

// The bar's height, which the square close box shares; the icon is
// centred in a square of the same height at its left end.
inline constexpr int kTitleBarPixels = 28;
inline constexpr int kTitleIconPixels = 20;
// How far the close box's cross stands in from the box's edges.
inline constexpr int kCloseCrossInsetPixels = 9;
inline constexpr int kCloseCrossPenPixels = 2;
// The line in the bar's colour around the whole window.
inline constexpr int kWindowBorderPixels = 1;

}  // namespace layout
