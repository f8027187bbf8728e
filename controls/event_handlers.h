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

// Where a record sends its events: the handlers bound to that one record.
// The binding belongs to the record, not to its state, so a copy starts
// unbound and an assignment keeps the target's own binding; a copied record
// can never reach the game that drives the original. Any two routes compare
// equal, so records compare by their state alone.
class EventRoute {
 public:
  EventRoute() = default;
  EventRoute(const EventRoute& /*other*/) {}
  // Copies nothing, so assigning a route to itself is as harmless as any
  // other assignment.
  // NOLINTNEXTLINE(bugprone-unhandled-self-assignment)
  EventRoute& operator=(const EventRoute& /*other*/) { return *this; }
  ~EventRoute() = default;

  bool operator==(const EventRoute& /*other*/) const { return true; }

  // The handlers stay owned by the caller; nullptr unbinds.
  void Bind(EventHandlers* handlers) { handlers_ = handlers; }
  EventHandlers* Handlers() const { return handlers_; }

 private:
  EventHandlers* handlers_ = nullptr;
};

}  // namespace controls
