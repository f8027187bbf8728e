// The title bar the game draws itself where the Wayland compositor leaves
// the title bar to the program: the icon, the caption and a close box, and
// nothing a window of fixed size cannot honour.
#pragma once

#include <QWidget>
#include <memory>

namespace desktop {

// The client area, which it takes ownership of, under the game's own title
// bar inside a thin border in the bar's colour. Dragging the bar moves the
// window; the close box closes it.
std::unique_ptr<QWidget> UnderOwnTitleBar(std::unique_ptr<QWidget> client);

}  // namespace desktop
