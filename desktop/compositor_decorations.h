// Whether the platform is Wayland, and whether its compositor draws title
// bars itself.
#pragma once

namespace desktop {

// Whether Qt runs on Wayland, under whichever of its Wayland platform
// names. Call once the QGuiApplication exists.
bool OnWayland();

// True on Wayland when the compositor offers server-side decorations (the
// xdg-decoration protocol, as KWin and sway do). Qt then asks for one for
// every window that is not frameless, and the desktop's own title bar
// appears. False on any other platform, and where the compositor leaves
// the title bar to the program (mutter, weston). Asks the compositor once,
// on a short connection of its own; call once the QGuiApplication exists.
bool CompositorDrawsTitleBars();

}  // namespace desktop
