// Twips are the layout's unit: 1440 to the inch, so 15 make one pixel at
// 96 dpi. Both front ends place controls in device-independent pixels of
// exactly that size (Qt's, and the browser's CSS pixels), and scale them to
// the screen, which keeps the layout whole at any scale factor or zoom.
#pragma once

namespace layout {

inline constexpr int kTwipsPerPixel = 15;

// Rounds to the nearest pixel; every length of the layout is a whole number
// of pixels anyway.
constexpr int TwipsToPixels(int twips) {
  const int half = kTwipsPerPixel / 2;
  return twips >= 0 ? (twips + half) / kTwipsPerPixel : -((-twips + half) / kTwipsPerPixel);
}

}  // namespace layout
