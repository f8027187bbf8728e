// Turns arbitrary bytes into a run of the game: which entry points are
// called, with which indices, and the random values the game draws. Any
// broken invariant aborts, so the fuzzer reports it with the input.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "checked_run.h"

namespace {

class ByteStream {
 public:
  ByteStream(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::size_t Remaining() const { return size_ - position_; }
  std::uint8_t Byte() { return position_ < size_ ? data_[position_++] : 0; }
  std::uint16_t Word() {
    const auto high = static_cast<std::uint16_t>(Byte() << 8U);
    return static_cast<std::uint16_t>(high | Byte());
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};

// Each draw takes 24 bits from the input while it lasts; after that a
// generator seeded by the input takes over, so the host's redraws always
// end.
class BytesRandom final : public game::RandomSource {
 public:
  explicit BytesRandom(ByteStream& bytes) : bytes_(bytes) {}

  void Seed(std::uint64_t seed) override { fallback_.Seed(seed); }

  float Next() override {
    if (bytes_.Remaining() < 3) return fallback_.Next();
    std::uint32_t bits = bytes_.Byte();
    bits = (bits << 8U) | bytes_.Byte();
    bits = (bits << 8U) | bytes_.Byte();
    return static_cast<float>(bits) / 16777216.0F;
  }

 private:
  ByteStream& bytes_;
  game::TwisterRandom fallback_;
};

std::uint64_t FixedSeed() { return 20261208; }

testing_support::Event NextEvent(ByteStream& bytes) {
  using testing_support::EventKind;
  testing_support::Event event;
  event.kind = static_cast<EventKind>(bytes.Byte() % testing_support::kEventKinds);
  if (event.kind == EventKind::Load || event.kind == EventKind::TickTimer1) return event;
  const std::uint8_t choice = bytes.Byte();
  // Mostly -1 to 8, the edges of every array; now and then any index.
  event.index = (choice & 0x80U) != 0 ? static_cast<std::int16_t>(bytes.Word())
                                      : static_cast<std::int16_t>(choice % 10 - 1);
  return event;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ByteStream bytes(data, size);
  BytesRandom random(bytes);
  testing_support::CheckedRun run(random, &FixedSeed);
  while (bytes.Remaining() > 0) {
    const std::string problem = run.Step(NextEvent(bytes));
    if (!problem.empty()) {
      std::fprintf(stderr, "broken: %s\n", problem.c_str());
      std::abort();
    }
  }
  return 0;
}
