#include "game/water/ice_sounds.h"

#include <cmath>
#include <optional>

#include "game/water/grouped_particle_mover.h"

namespace ice_sounds {
namespace {

using water_sound_rules::SplashSet;

struct Settings {
  float frictionChangeRate = 0.0f;    // share of the scrape's gap to its target left after 1 s
  float frictionSpeed = 0.0f;         // scrape volume per unit of a full lump's speed
  float freezeEffectSpeed = 0.0f;     // share of the pending freeze left after 1 s
  float freezeVolume = 0.0f;          // crackling volume per frozen particle
  float freezeVolumeFadeRate = 0.0f;  // share of the crackling left after 1 s
};

struct Sounds {
  std::optional<sound::SoundInstance> freeze;
  std::optional<sound::SoundInstance> scrape;
  SplashSet knocks;
};

Settings settings_;
Sounds sounds_;
State state_;

void readSettings(const ConfigFile& file) {
  settings_.frictionChangeRate = water_sound_rules::shareSetting(file, "ice_frictionChangeRate");
  settings_.frictionSpeed = file.getFloat("ice_frictionSpeed");
  settings_.freezeEffectSpeed = water_sound_rules::shareSetting(file, "ice_freezeEffectSpeed");
  settings_.freezeVolume = file.getFloat("ice_freezeVolume");
  settings_.freezeVolumeFadeRate =
      water_sound_rules::shareSetting(file, "ice_freezeVolumeFadeRate");
}

// Newly frozen particles are heard over the following steps, not all in one.
void updateFreeze(float dt) {
  const float take = state_.pendingFreeze * (1.0f - std::pow(settings_.freezeEffectSpeed, dt));
  state_.freezeVolume += take * settings_.freezeVolume;
  state_.pendingFreeze -= take;
  state_.freezeVolume *= std::pow(settings_.freezeVolumeFadeRate, dt);
}

// Lumps that touched a wall this step scrape, louder the faster and the larger they are.
void updateScrape(float dt) {
  float target = 0.0f;
  for (const ParticleGroup& group : grouped_particle_mover::groupList()) {
    if (!group.touchedGeometry) continue;
    target += length(group.velocity) * settings_.frictionSpeed *
              std::sqrt(water_sound_rules::fraction(group.particles.size()));
  }
  const float keep = std::pow(settings_.frictionChangeRate, dt);
  state_.scrapeVolume = keep * state_.scrapeVolume + (1.0f - keep) * target;
}

}  // namespace

void initialise() {
  const ConfigFile file(water_sound_rules::kConfigPath);
  readSettings(file);
  water_sound_rules::loadSound(sounds_.freeze, file, "iceSound_freeze");
  water_sound_rules::loadSound(sounds_.scrape, file, "iceSound_friction");
  sounds_.knocks.read(file, "ice_", "iceSound_disturbance_Level_");
  state_ = State{};
}

void shutdown() {
  sounds_.freeze.reset();
  sounds_.scrape.reset();
  sounds_.knocks.release();
}

void step(float dt, const water_sound_rules::PlayState& play) {
  int64_t count = 0;
  float weightedSpeed = 0.0f;
  for (const ParticleGroup& group : grouped_particle_mover::groupList()) {
    const auto size = static_cast<int64_t>(group.particles.size());
    count += size;
    weightedSpeed += length(group.velocity) * static_cast<float>(size);
  }
  if (count > state_.previousCount)
    state_.pendingFreeze += static_cast<float>(count - state_.previousCount);
  state_.previousCount = count;
  const float fraction = water_sound_rules::fraction(count);

  const float average = count > 0 ? weightedSpeed / static_cast<float>(count) : 0.0f;
  const float drop = state_.previousAverage - average;
  state_.previousAverage = average;

  updateFreeze(dt);
  sounds_.knocks.select(drop, fraction);
  updateScrape(dt);

  if (water_sound_rules::loopsAllowed(play)) {
    water_sound_rules::followLoop(sounds_.freeze, state_.freezeVolume);
    water_sound_rules::followLoop(sounds_.scrape, state_.scrapeVolume);
  } else {
    water_sound_rules::stopLoop(sounds_.freeze);
    water_sound_rules::stopLoop(sounds_.scrape);
  }
}

const State& state() {
  return state_;
}

}  // namespace ice_sounds
