#include "game/session.h"

namespace game {

Session::Session() : Session(std::make_unique<TwisterRandom>()) {}

Session::Session(std::unique_ptr<RandomSource> random, SeedClock clock)
    : random_(std::move(random)), game_(record_, *random_, clock) {}

Session::~Session() = default;

}  // namespace game
