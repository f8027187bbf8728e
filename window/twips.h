// Twips are the layout's unit: 1440 to the inch, so 15 make one pixel at
// 96 dpi. Qt's device-independent pixels are exactly such 96-dpi pixels,
// and the toolkit scales them to the screen, which keeps the layout whole
// at any scale factor.
#pragma once

namespace window {

inline constexpr int kTwipsPerPixel = 15;

// Rounds to the nearest pixel; every length of the layout is a whole number
// of pixels anyway.
constexpr int TwipsToPixels(int twips) {
  const int half = kTwipsPerPixel / 2;
  return twips >= 0 ? (twips + half) / kTwipsPerPixel : -((-twips + half) / kTwipsPerPixel);
}

}  // namespace window
