// The window around the client area, and everything that belongs to it:
// caption, flags, palette, size and first place on the screen, set in one
// place whatever draws the title bar.
//
// Wayland may leave the title bar to the program (mutter, weston), and Qt's
// own draws maximise and minimise boxes that a window of fixed size cannot
// honour: maximised, the compositor insists on its own size and ends a
// program that keeps a smaller one. So there the game draws its own title
// bar with only the icon, the caption and a close box, and the window
// around the client area takes whatever size the compositor imposes, with
// the client area unchanged in its middle. Where the compositor draws title
// bars (KWin, sway) the window announces a fixed size, as on X11; full
// screen, which the compositor may impose all the same, keeps the client
// area unchanged in the middle of whatever size the window is given.
#pragma once

#include <QWidget>
#include <memory>

namespace desktop {

// Whether the platform leaves the title bar to the program: Wayland, unless
// the compositor draws title bars itself.
bool DrawsOwnTitleBar();

// What to show as the window: the client area itself where the X11 window
// manager draws the title bar, the client area in a window that keeps it in
// its middle where a Wayland compositor does, and, with `own_title_bar`
// (DrawsOwnTitleBar() says when), the client area under a title bar of the
// game's own. Either way the client area keeps its size hint as its fixed
// size, and the window has the game's caption and flags and centres itself
// on its first show. The client area paints its own back colour; any room
// around it shows the same.
std::unique_ptr<QWidget> TopLevelFor(std::unique_ptr<QWidget> client, bool own_title_bar);

}  // namespace desktop
