// The window's own back colour. The client area paints it beneath its
// controls; no palette carries it, so no control inherits it and none has
// to put its own colour back.
#pragma once

#include <QColor>

#include "layout/layout.h"
#include "window/qt_color.h"

namespace window {

// Also what a window around the client area shows in whatever room a
// compositor gives it beyond the client area, so that the window reads as
// one surface.
inline QColor WindowBack() { return ToColor(layout::kWindowBack); }

}  // namespace window
