// Starts the game: one application, one window, the event loop.
#include "window/application.h"
#include "window/framed_window.h"
#include "window/main_window.h"

int main(int argc, char* argv[]) {
  const auto application = window::StartApplication(argc, argv);
  window::ConfigureApplication();
  const auto top_level = window::TopLevelFor(std::make_unique<window::MainWindow>());
  top_level->show();
  return QApplication::exec();
}
