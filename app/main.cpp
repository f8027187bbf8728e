// Starts the game: one application, one window, the event loop.
#include <QApplication>
#include <cstdio>

#include "window/application.h"
#include "window/main_window.h"

int main(int argc, char* argv[]) {
  // Without a display Qt aborts with a trace; say plainly what is wrong.
  if (!window::HasDisplay()) {
    std::fputs(
        "zimarela: no display found; start it from a desktop session "
        "(DISPLAY or WAYLAND_DISPLAY must be set).\n",
        stderr);
    return 1;
  }
  QApplication application(argc, argv);
  window::ConfigureApplication();
  window::MainWindow main_window;
  main_window.show();
  return QApplication::exec();
}
