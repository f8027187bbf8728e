// The secret corner spot: a click shows the door table, and the third timer
// tick after it hides the table again.
#include "game/game.h"

namespace game {

using enum controls::ControlId;

void Game::PeekClick(int label) {
  constexpr int kPeekSpot = 2;
  if (label != kPeekSpot) return;
  record_.SetVisible(List1, true);
  record_.SetEnabled(Timer1, true);
  peek_ticks_ = 0;
}

void Game::PeekTick() {
  ++peek_ticks_;
  if (peek_ticks_ >= kPeekTicksShown) {
    record_.SetVisible(List1, false);
    peek_ticks_ = 0;
    record_.SetEnabled(Timer1, false);
  }
}

}  // namespace game
