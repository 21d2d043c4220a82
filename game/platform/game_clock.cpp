#include "game/platform/game_clock.h"

#include <chrono>

namespace game_clock {
namespace {

using Clock = std::chrono::steady_clock;

const Clock::time_point programStart = Clock::now();
bool simulated = false;
double simulatedSeconds = 0.0;

}  // namespace

uint32_t nowMs() {
  if (simulated) return static_cast<uint32_t>(static_cast<uint64_t>(simulatedSeconds * 1000.0));
  const auto elapsed =
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - programStart);
  return static_cast<uint32_t>(elapsed.count());
}

void useSimulatedClock() {
  simulated = true;
  simulatedSeconds = 0.0;
}

void useRealClock() {
  simulated = false;
}

bool isSimulated() {
  return simulated;
}

void advance(double seconds) {
  simulatedSeconds += seconds;
}

// Half a millisecond in, so the reading can't round down to the one before.
void setSimulatedMs(uint32_t ms) {
  simulatedSeconds = (double(ms) + 0.5) / 1000.0;
}

}  // namespace game_clock
