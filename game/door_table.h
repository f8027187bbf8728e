// The eight doors: what is behind each, which ones the host has opened, and
// the one random draw the game uses. The table itself lives in the hidden
// list box, one code per door, so that the peek can show exactly it.
#pragma once

#include <string_view>

#include "controls/control_record.h"
#include "game/random_source.h"

namespace game {

// Rounds to the nearest integer, halves to the even neighbour, whatever the
// floating-point environment's rounding mode happens to be.
double RoundHalfToEven(double x);

// A door index, 0 to 7. Deliberately not uniform: n = round(100 r) puts half
// a unit of weight on 0 and on 100, so doors 2 to 4 come up 13 % of the
// time, doors 1 and 5 12.5 % and doors 6 to 8 12 %.
int DrawDoorIndex(RandomSource& random);

// The numeric value of a door code; text that is not a number reads 0.
int CodeValue(std::string_view code);

// Resets every door and hides the jackpot; expects an empty list.
void FillDoorTable(controls::ControlRecord& record, RandomSource& random);

// Opens one closed cabbage door chosen at random, drawing again while the
// draw lands on the jackpot or an open door.
void HostOpensDoor(controls::ControlRecord& record, RandomSource& random);

// Unlocks the doors frame and every door still captioned "Врата ...".
void EnableClosedDoors(controls::ControlRecord& record);

}  // namespace game
