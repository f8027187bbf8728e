#include "game/game.h"

#include <string>

#include "controls/texts.h"
#include "game/door_table.h"

namespace game {

using enum controls::ControlId;

Game::Game(controls::ControlRecord& record, RandomSource& random, SeedClock clock)
    : record_(record), random_(random), clock_(clock) {
  record_.Bind(this);
}

Game::~Game() { record_.Bind(nullptr); }

void Game::ShowCounters() {
  record_.SetText(Text2_0, std::to_string(games_count_));
  record_.SetText(Text2_1, std::to_string(wins_count_));
}

void Game::StartUp() {
  games_count_ = 0;
  wins_count_ = 0;
  ShowCounters();
  random_.Seed(clock_());
  NewGame();
}

void Game::NewGame() {
  record_.SetVisible(List1, false);
  record_.SetVisible(Label1_1, false);
  ++games_count_;
  ShowCounters();
  peek_ticks_ = 0;
  record_.SetSelected(Option2_0, false);
  record_.SetSelected(Option2_1, false);
  host_open_count_ = 0;
  record_.ClearItems();
  record_.SetEnabled(Frame1, false);
  record_.SetEnabled(Frame2, true);
  record_.SetEnabled(Command1_0, false);
  record_.SetEnabled(Option2_1, true);
  FillDoorTable(record_, random_);
}

void Game::RestartGame() {
  NewGame();
  record_.SetText(Text1_0, "");
}

void Game::ChooseDirect() { EnableClosedDoors(record_); }

void Game::ChooseHost() { record_.SetEnabled(Command1_0, true); }

void Game::Offer() {
  if (host_open_count_ < kMaxHostOpenings) {
    HostOpensDoor(record_, random_);
    record_.SetSelected(Option2_0, false);
    record_.SetSelected(Option2_1, false);
    record_.SetEnabled(Command1_0, false);
    ++host_open_count_;
  }
  // Tested afresh: the press that opens the fifth door also forces the
  // choice. Selecting the direct choice runs ChooseDirect right here.
  if (host_open_count_ >= kMaxHostOpenings) {
    record_.SetSelected(Option2_0, true);
    record_.SetSelected(Option2_1, false);
    record_.SetEnabled(Option2_1, false);
    record_.SetVisible(Label1_1, true);
  }
}

void Game::PickDoor(int door) {
  // The result grows in the box itself, a piece at a time, as the player
  // reads it; the box's string keeps its capacity from game to game.
  record_.SetText(Text1_0, texts::kResultHeading);
  record_.AppendText(Text1_0, texts::kLineBreak);
  if (CodeOf(record_, door) != DoorCode::Jackpot) {
    record_.AppendText(Text1_0, texts::kCabbage);
    record_.AppendText(Text1_0, texts::kLineBreak);
    record_.AppendText(Text1_0, record_.Text(Text1_1));
  } else {
    record_.AppendText(Text1_0, texts::kJackpot);
    ++wins_count_;
  }
  record_.SetText(Text2_1, std::to_string(wins_count_));
  record_.SetEnabled(Frame1, false);
  record_.SetEnabled(Frame2, false);
  record_.SetEnabled(Command1_0, false);
}

}  // namespace game
