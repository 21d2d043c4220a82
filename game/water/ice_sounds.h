#pragma once
// The sound of the ice: crackling while water freezes, a scrape while lumps slide along
// walls, and knocks when the ice as a whole slows down sharply in one step.

#include <cstdint>

#include "game/water/water_sound_rules.h"

namespace ice_sounds {

struct State {
  int64_t previousCount = 0;     // particles in all ice groups at the last step
  float pendingFreeze = 0.0f;    // newly frozen particles not yet heard
  float freezeVolume = 0.0f;     // of the crackling loop
  float scrapeVolume = 0.0f;     // of the scraping loop
  float previousAverage = 0.0f;  // the ice's mean speed at the last step
};

// Reads game_sfx.cfg, creates the sounds not created yet and zeroes the state.
void initialise();
// Releases the sounds.
void shutdown();
// One step over `dt` seconds. The crackling and the scrape follow their volumes only while
// loops are allowed and stop otherwise; the volumes are worked out either way.
void step(float dt, const water_sound_rules::PlayState& play);

const State& state();

}  // namespace ice_sounds
