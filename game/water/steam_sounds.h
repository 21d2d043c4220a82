#pragma once
// The sound of the steam: a hiss while water boils away and the rush of the steam cloud,
// both looping.

#include <cstdint>

#include "game/water/water_sound_rules.h"

namespace steam_sounds {

struct State {
  int64_t previousCount = 0;        // steam particles at the last step
  float pendingEvaporation = 0.0f;  // newly formed steam not yet heard
  float evaporationVolume = 0.0f;   // of the hiss
  float ambientVolume = 0.0f;       // of the cloud's rush
};

// Reads game_sfx.cfg, creates the sounds not created yet and zeroes the state.
void initialise();
// Releases the sounds.
void shutdown();
// One step over `dt` seconds. Both loops follow their volumes only while loops are allowed
// and stop otherwise; the volumes are worked out either way.
void step(float dt, const water_sound_rules::PlayState& play);

const State& state();

}  // namespace steam_sounds
