// Faults on the display it is given, as a fault in the window would, so
// that the display routes can be seen to explain them:
//   probe crash  shows a window, then writes through a null pointer from
//                the event loop: the route must print a backtrace from the
//                core that names WriteThroughNull, this file and its line;
//   probe hang   blocks for ever once the application is up: the route must
//                end it at its time limit, with a backtrace that names
//                BlockForEver.
// The build gives this file debug information whatever its type, or no
// backtrace could name a line.
#include <unistd.h>

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstring>

namespace {

int* volatile nowhere = nullptr;

[[gnu::noinline]] void WriteThroughNull() { *nowhere = 1; }

// Blocks straight away rather than from the event loop: the route's limit
// must find it here however slowly the machine starts the window.
[[noreturn, gnu::noinline]] void BlockForEver() {
  for (;;) pause();
}

}  // namespace

int main(int argc, char* argv[]) {
  const QApplication application(argc, argv);
  if (argc > 1 && std::strcmp(argv[1], "hang") == 0) BlockForEver();
  QWidget window;
  window.show();
  QTimer::singleShot(0, &window, &WriteThroughNull);
  return QApplication::exec();
}
