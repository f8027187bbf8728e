// Start-up probe: the game's own window, built exactly as the program
// builds it.
#include "desktop/application.h"
#include "desktop/top_level.h"
#include "first_paint.h"
#include "game/session.h"
#include "window/client_area.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  desktop::ConfigureApplication();
  game::Session session;
  const auto top_level = desktop::TopLevelFor(std::make_unique<window::ClientArea>(session));
  const bench::FirstPaint probe(top_level.get());
  top_level->show();
  return QApplication::exec();
}
