#pragma once
// The run-time millisecond clock the level clock reads. A window run reads real time; a
// headless run switches to a simulated clock that the fixed step feeds, so a replay of the
// same script gives the same level times on every machine.

#include <cstdint>

namespace game_clock {

// Milliseconds since the program started, or on the simulated clock.
uint32_t nowMs();
// From now on nowMs() reads the simulated clock, starting at 0.
void useSimulatedClock();
void useRealClock();
bool isSimulated();
// Moves the simulated clock on by `seconds`.
void advance(double seconds);
// Sets the simulated clock to read `ms` from now on.
void setSimulatedMs(uint32_t ms);

}  // namespace game_clock
