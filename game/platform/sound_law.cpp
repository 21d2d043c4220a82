#include "game/platform/sound_law.h"

#include <algorithm>
#include <cmath>

namespace sound {

int32_t volumeToHundredthsOfDecibel(float volume) {
  const double v = std::clamp(double(volume), 0.0, 1.0);
  return int32_t((1.0 - std::pow(v, 0.2)) * double(kSilentVolume));
}

uint32_t pitchToFrequency(uint32_t baseFrequency, float pitch) {
  const double p = std::clamp(double(pitch), -1.0, 1.0);
  const double base = double(baseFrequency);
  const double frequency = p > 0.0 ? base * (1.0 - p) + p * double(kHighestFrequency)
                                   : base * (p + 1.0) - p * double(kLowestFrequency);
  return uint32_t(frequency);
}

float gainFromHundredthsOfDecibel(int32_t hundredthsOfDecibel) {
  if (hundredthsOfDecibel <= kSilentVolume) return 0.0f;
  return float(std::pow(10.0, double(std::min(hundredthsOfDecibel, 0)) / 2000.0));
}

}  // namespace sound
