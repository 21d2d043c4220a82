#pragma once
// The sound of the liquid water: an ambient hum as loud as the body is large, and a splash
// whenever the body as a whole slows down sharply in one step (it hit a floor or a wall).

#include "game/water/water_sound_rules.h"

namespace water_sounds {

// Reads game_sfx.cfg, creates the sounds not created yet and forgets the previous speed.
void initialise();
// Releases the sounds.
void shutdown();
// One step over `dt` seconds. The hum follows the body only while loops are allowed and
// stops otherwise; splashes follow the speed's drop either way.
void step(float dt, const water_sound_rules::PlayState& play);

// The mean speed of the water particles at the last step.
float previousAverageSpeed();

}  // namespace water_sounds
