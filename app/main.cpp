// Starts the game: one application, one session, one window, the event
// loop.
#include "desktop/application.h"
#include "desktop/startup_diagnostics.h"
#include "desktop/top_level.h"
#include "game/session.h"
#include "window/client_area.h"

int main(int argc, char* argv[]) {
  const auto application = desktop::StartApplication(argc, argv);
  if (!application) return 1;
  desktop::ConfigureApplication();
  // Declared before the window, so it outlives the window that draws it.
  game::Session session;
  const auto top_level = desktop::TopLevelFor(std::make_unique<window::ClientArea>(session));
  top_level->show();
  return QApplication::exec();
}
