// Starts the game: one application, one session, one window, the event
// loop; and ends it once the window has closed.
#include <cstdio>
#include <cstdlib>

#include "app/game_window.h"
#include "desktop/compositor_decorations.h"
#include "desktop/startup_diagnostics.h"
#include "game/session.h"

// Whether LeakSanitizer is in this build, as the compiler itself knows it:
// g++ defines __SANITIZE_ADDRESS__ under -fsanitize=address, which brings
// LeakSanitizer along; clang answers __has_feature for either sanitizer.
#if defined(__SANITIZE_ADDRESS__)
#define ZIMARELA_LEAK_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(leak_sanitizer)
#define ZIMARELA_LEAK_SANITIZER 1
#endif
#endif
#ifdef ZIMARELA_LEAK_SANITIZER
#include <sanitizer/lsan_interface.h>
#endif

namespace {

// Ends the process without tearing the toolkit down. Only what is still
// buffered needs flushing. LeakSanitizer looks for leaks from atexit,
// which _Exit skips, so it looks here instead: everything still alive is
// reachable from this stack, and only what was lost is reported.
[[noreturn]] void EndWithoutTeardown(int status) {
#ifdef ZIMARELA_LEAK_SANITIZER
  __lsan_do_leak_check();
#endif
  std::fflush(nullptr);
  std::_Exit(status);
}

}  // namespace

int main(int argc, char* argv[]) {
  const auto application = desktop::StartApplication(argc, argv);
  if (!application) return 1;
  // Declared before the window, so it outlives the window that draws it.
  game::Session session;
  const auto top_level = app::BuildGameWindow(session).top_level;
  top_level->show();
  const int status = QApplication::exec();
  // The window is closed and the game keeps nothing, but the desktop may
  // still need the toolkit's end: on X11, QXcbClipboard's destructor hands
  // what the player copied to the desktop's clipboard manager (SAVE_TARGETS)
  // when the game owns a selection and a manager runs, waiting at most Qt's
  // own five seconds for the manager's answer. So every platform but
  // Wayland returns and tears Qt down as any program does.
  //
  // On Wayland that teardown can hang for ever, and Wayland has no such
  // hand-over to lose: ~QWaylandDisplay (qtwayland's qwaylanddisplay.cpp,
  // 6.4 to 6.8 at least) stops its event threads while one of them may
  // hold a read that the last flush prepared for it; the thread leaves
  // without cancelling it, and the frame-callback thread then waits in
  // wl_display_read_events for that read, and QThread::wait for that
  // thread. Destroying the window first would also meet a race of Qt
  // 6.4's (QWaylandWindow::reset frees a frame callback that the event
  // thread may be answering). There the program ends at once.
  if (desktop::OnWayland()) EndWithoutTeardown(status);
  return status;
}
