// The window's font, which the view's controls and the title bar the game
// may draw both use.
#pragma once

#include <QFont>

namespace window {

// The window's font at a pixel size, so that text scales with the layout.
QFont GameFont(int pixels);

}  // namespace window
