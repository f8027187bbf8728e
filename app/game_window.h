// How the program shows the game, shared with the start-up probe and the
// window tests so that each sees the window the player sees.
#pragma once

#include <QWidget>
#include <memory>

namespace game {
class Session;
}

namespace window {
class ClientArea;
}

namespace app {

struct GameWindow {
  // What to show; it owns the client area.
  std::unique_ptr<QWidget> top_level;
  // The view inside it: the top level itself where the window manager
  // draws the title bar.
  window::ClientArea* client_area = nullptr;
};

// Gives the application the game's look, then builds the client area
// around the session and the window around that, without showing it. Call
// once the QApplication exists, as often as windows are wanted; the
// session must outlive the window.
GameWindow BuildGameWindow(game::Session& session);

// The same with the choice of title bar made by the caller, so that the
// game's own can be shown on any platform.
GameWindow BuildGameWindow(game::Session& session, bool own_title_bar);

}  // namespace app
