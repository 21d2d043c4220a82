#include "game/water/water_sounds.h"

#include <cmath>
#include <optional>

#include "game/water/particle_manager.h"

namespace water_sounds {
namespace {

using water_sound_rules::SplashSet;

struct Sounds {
  float ambientVolume = 0.0f;  // the hum's volume for a full body
  std::optional<sound::SoundInstance> ambient;
  SplashSet splashes;
};

Sounds sounds_;
float previousAverage_ = 0.0f;

bool isLiquid(const Particle& p) {
  return p.temperature > kIceTemperature && p.temperature < kSteamTemperature;
}

}  // namespace

void initialise() {
  const ConfigFile file(water_sound_rules::kConfigPath);
  sounds_.ambientVolume = water_sound_rules::absoluteSetting(file, "waterSound_ambient_volume");
  water_sound_rules::loadSound(sounds_.ambient, file, "waterSound_ambient");
  sounds_.splashes.read(file, "water_", "waterSound_disturbance_level_");
  previousAverage_ = 0.0f;
}

void shutdown() {
  sounds_.ambient.reset();
  sounds_.splashes.release();
}

void step(float, const water_sound_rules::PlayState& play) {
  int64_t count = 0;
  float speedSum = 0.0f;
  for (const Particle& p : particle_manager::particleList()) {
    if (!isLiquid(p)) continue;
    ++count;
    speedSum += length(p.velocity);
  }
  const float average = count > 0 ? speedSum / static_cast<float>(count) : 0.0f;
  const float drop = previousAverage_ - average;
  previousAverage_ = average;
  const float fraction = water_sound_rules::fraction(count);

  if (water_sound_rules::loopsAllowed(play))
    water_sound_rules::followLoop(sounds_.ambient, std::sqrt(fraction) * sounds_.ambientVolume);
  else
    water_sound_rules::stopLoop(sounds_.ambient);
  sounds_.splashes.select(drop, fraction);
}

float previousAverageSpeed() {
  return previousAverage_;
}

}  // namespace water_sounds
