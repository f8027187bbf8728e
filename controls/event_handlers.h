// The operations the record's entry points run. The record knows nothing of
// the game: whoever implements the rules hands the record this table when
// both are created, and the record calls into it as events arrive.
#pragma once

namespace controls {

class EventHandlers {
 public:
  virtual ~EventHandlers() = default;

  virtual void StartUp() = 0;
  virtual void Offer() = 0;
  virtual void RestartGame() = 0;
  virtual void ChooseDirect() = 0;
  virtual void ChooseHost() = 0;
  virtual void PickDoor(int door) = 0;
  virtual void PeekClick(int label) = 0;
  virtual void PeekTick() = 0;

 protected:
  EventHandlers() = default;
  EventHandlers(const EventHandlers&) = default;
  EventHandlers& operator=(const EventHandlers&) = default;
};

}  // namespace controls
