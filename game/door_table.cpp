#include "game/door_table.h"

#include <charconv>
#include <cmath>
#include <string>

#include "controls/texts.h"

namespace game {

using controls::ControlRecord;
using controls::Option1;

namespace {

constexpr int kDoors = static_cast<int>(controls::kDoorCount);

bool HasClosedCabbage(const ControlRecord& record) {
  const int doors = static_cast<int>(record.Items().size());
  for (int door = 0; door < doors; ++door) {
    if (CodeOf(record, door) == DoorCode::Closed) return true;
  }
  return false;
}

}  // namespace

double RoundHalfToEven(double x) {
  const double floor = std::floor(x);
  const double fraction = x - floor;
  if (fraction > 0.5) return floor + 1.0;
  if (fraction < 0.5) return floor;
  return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

int DrawDoorIndex(RandomSource& random) {
  // A float times 100 is exact in double, so only the rounding decides.
  const double scaled = static_cast<double>(random.Next()) * 100.0;
  const int n = static_cast<int>(RoundHalfToEven(scaled));
  return n % kDoors;
}

std::string_view CodeText(DoorCode code) {
  switch (code) {
    case DoorCode::Closed:
      return texts::kCodeClosed;
    case DoorCode::Jackpot:
      return texts::kCodeJackpot;
    case DoorCode::Opened:
      break;
  }
  return texts::kCodeOpened;
}

DoorCode CodeOf(const ControlRecord& record, int door) {
  const std::string& text = record.Item(static_cast<std::size_t>(door));
  // Read as a number, as the list box's text always has been.
  int value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value);
  if (value == static_cast<int>(DoorCode::Closed)) return DoorCode::Closed;
  if (value == static_cast<int>(DoorCode::Jackpot)) return DoorCode::Jackpot;
  return DoorCode::Opened;
}

void FillDoorTable(ControlRecord& record, RandomSource& random) {
  for (int door = 0; door < kDoors; ++door) {
    const controls::ControlId id = Option1(door);
    record.SetEnabled(id, true);
    record.SetSelected(id, false);
    record.SetText(id, controls::DoorCaption(door));
    record.AppendItem(CodeText(DoorCode::Closed));
  }
  const int jackpot = DrawDoorIndex(random);
  record.SetItem(static_cast<std::size_t>(jackpot), CodeText(DoorCode::Jackpot));
}

void HostOpensDoor(ControlRecord& record, RandomSource& random) {
  // The game never asks once fewer than three cabbages are left closed, but
  // with none left the redraw loop below would never end.
  if (!HasClosedCabbage(record)) return;
  int door = DrawDoorIndex(random);
  while (CodeOf(record, door) != DoorCode::Closed) door = DrawDoorIndex(random);
  record.SetItem(static_cast<std::size_t>(door), CodeText(DoorCode::Opened));
  record.SetEnabled(Option1(door), false);
  record.SetText(Option1(door), texts::kCabbage);
}

void EnableClosedDoors(ControlRecord& record) {
  record.SetEnabled(controls::ControlId::Frame1, true);
  for (int door = 0; door < kDoors; ++door) {
    const controls::ControlId id = Option1(door);
    const bool closed = record.Text(id).starts_with(texts::kDoorPrefix);
    record.SetEnabled(id, closed);
  }
}

}  // namespace game
