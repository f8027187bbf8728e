#include "app/game_window.h"

#include "desktop/application.h"
#include "desktop/top_level.h"
#include "window/client_area.h"

namespace app {

GameWindow BuildGameWindow(game::Session& session) {
  return BuildGameWindow(session, desktop::DrawsOwnTitleBar());
}

GameWindow BuildGameWindow(game::Session& session, bool own_title_bar) {
  // The controls take their measures from the style as they are built (a
  // text box keeps its insets around the style's scroll bar), so the
  // style and palette come first.
  desktop::ConfigureApplication();
  auto area = std::make_unique<window::ClientArea>(session);
  window::ClientArea* client_area = area.get();
  return {desktop::TopLevelFor(std::move(area), own_title_bar), client_area};
}

}  // namespace app
