// Starts the game: one application, one session, one window, the event
// loop.
#include <cstdio>
#include <cstdlib>

#include "app/game_window.h"
#include "desktop/startup_diagnostics.h"
#include "game/session.h"

int main(int argc, char* argv[]) {
  const auto application = desktop::StartApplication(argc, argv);
  if (!application) return 1;
  // Declared before the window, so it outlives the window that draws it.
  game::Session session;
  const auto top_level = app::BuildGameWindow(session).top_level;
  top_level->show();
  const int status = QApplication::exec();
  // The window is closed and the game saves nothing, so the program ends
  // here, without tearing the toolkit down. On Wayland that teardown can
  // hang for ever: ~QWaylandDisplay (qtwayland's qwaylanddisplay.cpp, 6.4
  // to 6.8 at least) stops its event threads while one of them may hold a
  // read that the last flush prepared for it; the thread leaves without
  // cancelling it, and the frame-callback thread then waits in
  // wl_display_read_events for that read, and QThread::wait for that
  // thread. Destroying the window first would also meet a race of Qt 6.4's
  // (QWaylandWindow::reset frees a frame callback that the event thread
  // may be answering). Ending every platform the same way keeps one road
  // for every close. Only what is still buffered needs flushing.
  std::fflush(nullptr);
  std::_Exit(status);
}
