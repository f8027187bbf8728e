// A handlers table that runs no game and only notes which operation each
// event reached, so that the record's routing can be checked on its own.
#pragma once

#include <string>
#include <vector>

#include "controls/event_handlers.h"

namespace testing_support {

class LoggingHandlers : public controls::EventHandlers {
 public:
  void StartUp() override { log.push_back("StartUp"); }
  void Offer() override { log.push_back("Offer"); }
  void RestartGame() override { log.push_back("RestartGame"); }
  void ChooseDirect() override { log.push_back("ChooseDirect"); }
  void ChooseHost() override { log.push_back("ChooseHost"); }
  void PickDoor(int door) override { log.push_back("PickDoor " + std::to_string(door)); }
  void PeekClick(int label) override { log.push_back("PeekClick " + std::to_string(label)); }
  void PeekTick() override { log.push_back("PeekTick"); }

  std::vector<std::string> log;
};

}  // namespace testing_support
