// The light palette the window was drawn for, held against every desktop
// theme. The controls have fixed pale colours and expect dark text on
// them; a dark palette would draw near-white captions there.
#pragma once

#include <QPalette>

namespace desktop {

// A fixed light palette with every role of every colour group set, so no
// platform theme can fill in a role of its own. It does not ask the style:
// under some themes (gtk3) the style's standard palette is the theme's.
QPalette LightPalette();

// Makes LightPalette() the application's palette, and makes it so again
// whenever the desktop pushes a palette of its own while the game runs
// (a theme plugin that follows a change of the desktop's colour scheme).
// Call once the QApplication exists.
void KeepLightPalette();

}  // namespace desktop
