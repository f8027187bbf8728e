// Starts the game: one application, one session, one window, the event
// loop.
#include "app/game_window.h"
#include "desktop/startup_diagnostics.h"
#include "game/session.h"

int main(int argc, char* argv[]) {
  const auto application = desktop::StartApplication(argc, argv);
  if (!application) return 1;
  // Declared before the window, so it outlives the window that draws it.
  game::Session session;
  const auto top_level = app::BuildGameWindow(session).top_level;
  top_level->show();
  return QApplication::exec();
}
