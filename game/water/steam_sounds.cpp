#include "game/water/steam_sounds.h"

#include <cmath>
#include <optional>

#include "game/water/particle_manager.h"

namespace steam_sounds {
namespace {

// Share of the pending evaporation still unheard after one second.
constexpr float kEvaporationLeft = 0.001f;
// Hiss volume per evaporated particle.
constexpr float kEvaporationVolume = 0.05f;
// Share of the hiss left after one second.
constexpr float kEvaporationFade = 0.25f;
// Share of the rush's gap to its target left after one second.
constexpr float kAmbientChangeRate = 0.05f;
// Rush volume per steam particle.
constexpr float kAmbientVolume = 0.02f;

std::optional<sound::SoundInstance> evaporate_;
std::optional<sound::SoundInstance> ambient_;
State state_;

int64_t steamCount() {
  int64_t count = 0;
  for (const Particle& p : particle_manager::particleList())
    if (p.isSteam()) ++count;
  return count;
}

}  // namespace

void initialise() {
  const ConfigFile file(water_sound_rules::kConfigPath);
  water_sound_rules::loadSound(evaporate_, file, "steamEvaporate");
  water_sound_rules::loadSound(ambient_, file, "steamAmbient");
  state_ = State{};
}

void shutdown() {
  evaporate_.reset();
  ambient_.reset();
}

void step(float dt, const water_sound_rules::PlayState& play) {
  const int64_t count = steamCount();
  if (count > state_.previousCount)
    state_.pendingEvaporation += static_cast<float>(count - state_.previousCount);
  state_.previousCount = count;

  const float take = state_.pendingEvaporation * (1.0f - std::pow(kEvaporationLeft, dt));
  state_.evaporationVolume += take * kEvaporationVolume;
  state_.pendingEvaporation -= take;
  state_.evaporationVolume *= std::pow(kEvaporationFade, dt);

  const float keep = std::pow(kAmbientChangeRate, dt);
  state_.ambientVolume =
      keep * state_.ambientVolume + (1.0f - keep) * static_cast<float>(count) * kAmbientVolume;

  if (water_sound_rules::loopsAllowed(play)) {
    water_sound_rules::followLoop(evaporate_, state_.evaporationVolume);
    water_sound_rules::followLoop(ambient_, state_.ambientVolume);
  } else {
    water_sound_rules::stopLoop(evaporate_);
    water_sound_rules::stopLoop(ambient_);
  }
}

const State& state() {
  return state_;
}

}  // namespace steam_sounds
