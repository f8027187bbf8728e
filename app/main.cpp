// Starts the game: one application, one session, one window, the event
// loop.
#include "game/session.h"
#include "window/application.h"
#include "window/client_area.h"
#include "window/startup_diagnostics.h"
#include "window/top_level.h"

int main(int argc, char* argv[]) {
  const auto application = window::StartApplication(argc, argv);
  if (!application) return 1;
  window::ConfigureApplication();
  // Declared before the window, so it outlives the window that draws it.
  game::Session session;
  const auto top_level = window::TopLevelFor(std::make_unique<window::ClientArea>(session));
  top_level->show();
  return QApplication::exec();
}
