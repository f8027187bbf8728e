// Start-up probe: the game's own window, built exactly as the program
// builds it.
#include "first_paint.h"
#include "game/session.h"
#include "window/application.h"
#include "window/client_area.h"
#include "window/top_level.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  window::ConfigureApplication();
  game::Session session;
  const auto top_level = window::TopLevelFor(std::make_unique<window::ClientArea>(session));
  const bench::FirstPaint probe(top_level.get());
  top_level->show();
  return QApplication::exec();
}
