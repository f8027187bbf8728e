// The eight doors: what is behind each, which ones the host has opened, and
// the one random draw the game uses. The table itself lives in the hidden
// list box, one code per door, so that the peek can show exactly it.
#pragma once

#include <cstdint>
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

// What the hidden list box says about a door. The box holds each code as
// its number in text, "0", "1" or "2", which is what the peek shows.
enum class DoorCode : std::uint8_t { Opened = 0, Closed = 1, Jackpot = 2 };

// The text the list box holds for a code.
std::string_view CodeText(DoorCode code);

// Door i's code, read from the list box. Text that is not one of the three
// numbers reads as an opened door, which no rule ever picks again. Throws
// std::out_of_range for a door the table does not have.
DoorCode CodeOf(const controls::ControlRecord& record, int door);

// Resets every door and hides the jackpot; expects an empty list.
void FillDoorTable(controls::ControlRecord& record, RandomSource& random);

// Opens one closed cabbage door chosen at random, drawing again while the
// draw lands on the jackpot or an open door.
void HostOpensDoor(controls::ControlRecord& record, RandomSource& random);

// Unlocks the doors frame and every door still captioned "Врата ...".
void EnableClosedDoors(controls::ControlRecord& record);

}  // namespace game
