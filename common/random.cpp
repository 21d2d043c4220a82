#include "common/random.h"

namespace rng {
namespace {

// PCG32 (O'Neill): small, fast, and defined entirely by integer arithmetic, so the sequence
// is identical on every compiler and machine.
constexpr uint64_t kMultiplier = 6364136223846793005ULL;
constexpr uint64_t kIncrement = 1442695040888963407ULL;
constexpr uint64_t kDefaultSeed = 0x853c49e6748fea9bULL;

uint64_t state = kDefaultSeed;

}  // namespace

void seed(uint64_t value) {
  state = 0;
  raw();
  state += value;
  raw();
}

uint64_t position() {
  return state;
}

void restore(uint64_t position) {
  state = position;
}

uint32_t raw() {
  const uint64_t old = state;
  state = old * kMultiplier + kIncrement;
  const auto xorShifted = uint32_t(((old >> 18u) ^ old) >> 27u);
  const auto rotation = uint32_t(old >> 59u);
  return (xorShifted >> rotation) | (xorShifted << ((32u - rotation) & 31u));
}

float uniform() {
  // 24 bits fill a float's mantissa exactly; dividing by 2^24 - 1 reaches 1.0 itself.
  return float(raw() >> 8) * (1.0f / 16777215.0f);
}

}  // namespace rng
