// Start-up probe: the game's own window, built exactly as the program
// builds it.
#include "first_paint.h"
#include "window/application.h"
#include "window/main_window.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  window::ConfigureApplication();
  window::MainWindow main_window;
  const bench::FirstPaint probe(&main_window);
  main_window.show();
  return QApplication::exec();
}
