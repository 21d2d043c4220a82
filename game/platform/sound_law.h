#pragma once
// The numbers every sound effect obeys, whatever device plays it: volume in hundredths of a
// decibel from a linear 0..1 factor, a pitch of -1..1 as a playback frequency, and the gain a
// device applies for a volume.

#include <cstdint>

namespace sound {

constexpr int32_t kSilentVolume = -10000;       // hundredths of a decibel
constexpr uint32_t kLowestFrequency = 100;      // Hz, at pitch -1
constexpr uint32_t kHighestFrequency = 200000;  // Hz, at pitch +1

// (1 - v^0.2) x -10000, truncated, with v clamped to 0..1: 1 gives 0, 0 gives -10000 and
// 0.5 about -1294. The fifth root makes the slider feel even to the ear.
int32_t volumeToHundredthsOfDecibel(float volume);

// Pitch clamped to -1..1; 0 keeps `baseFrequency`, +1 gives 200000 Hz and -1 gives 100 Hz,
// linear in between on each side; truncated to whole hertz.
uint32_t pitchToFrequency(uint32_t baseFrequency, float pitch);

// 10^(hundredths / 2000); -10000 and below is true silence (0), as the quietest volume of a
// sound card mixer is.
float gainFromHundredthsOfDecibel(int32_t hundredthsOfDecibel);

}  // namespace sound
