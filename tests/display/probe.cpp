// Shows a window on the display it is given, then writes through a null
// pointer from the event loop, as a fault in the window would. The display
// routes must answer with a backtrace that names this function and file.
#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace {

int* volatile nowhere = nullptr;

[[gnu::noinline]] void WriteThroughNull() { *nowhere = 1; }

}  // namespace

int main(int argc, char* argv[]) {
  const QApplication application(argc, argv);
  QWidget window;
  window.show();
  QTimer::singleShot(0, &window, &WriteThroughNull);
  return QApplication::exec();
}
