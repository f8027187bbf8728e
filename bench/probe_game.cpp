// Start-up probe: the game's own window, built exactly as the program
// builds it.
#include "app/game_window.h"
#include "desktop/startup_diagnostics.h"
#include "first_paint.h"
#include "game/session.h"

int main(int argc, char* argv[]) {
  const auto application = desktop::StartApplication(argc, argv);
  if (!application) return 1;
  game::Session session;
  const auto top_level = app::BuildGameWindow(session).top_level;
  const bench::FirstPaint probe(top_level.get());
  top_level->show();
  return QApplication::exec();
}
