#include "game/core/simulation.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include "game/core/camera.h"
#include "game/core/level_completion.h"
#include "game/entities/triggers.h"
#include "game/level/level_data.h"
#include "game/level/movers.h"
#include "game/water/ice_sounds.h"
#include "game/water/particle_manager.h"
#include "game/water/steam_sounds.h"
#include "game/water/water_sounds.h"

namespace simulation {
namespace {

struct Stage {
  std::string_view name;
  void (*run)(float dt);
};

void moveGeometry(float dt) {
  movers::buildMovingEdges();
  movers::stepMovers(dt);
}

// One simulation step, stage by stage in the order the game runs them. The effect emitters
// join between the movers and the water, the level objects after the triggers, as they come
// to life.
const Stage kStages[] = {
    {"movers", moveGeometry},
    {"water", particle_manager::step},
    {"triggers", triggers::step},
};

// The level's start state of water and camera: the camera flies in from the camera start
// to the water before anything moves.
void placeWaterAndCamera() {
  const Vec2 water = level::waterStart();
  particle_manager::createParticles(water.x, water.y, kStartWaterRadius, kStartWaterAmount);
  camera::setPosition(level::cameraStart());
  camera::setMode(camera::kOpeningMove);
}

// The water body's sounds, brought up and stepped as the game does; with no sound device
// they only keep their volumes.
void initialiseWaterSounds() {
  ice_sounds::initialise();
  water_sounds::initialise();
  steam_sounds::initialise();
}

void stepWaterSounds(float t) {
  const water_sound_rules::PlayState running;
  ice_sounds::step(t, running);
  water_sounds::step(t, running);
  steam_sounds::step(t, running);
}

}  // namespace

void step(float t) {
  const float dt = std::min(t, kLongestStep);
  for (const Stage& stage : kStages) stage.run(dt);
}

bool startLevel(std::string_view mapPath) {
  level::loadSurfaces();
  if (!level::loadLevel(mapPath)) return false;
  triggers::readTemperatureSettings();
  particle_manager::initialise();
  camera::initialise();
  placeWaterAndCamera();
  initialiseWaterSounds();
  level_completion::initialise();
  return true;
}

// Nothing moves during the camera's opening move or once the finish has run out; the level
// clock stands still then too.
void tick(float t, bool inputEnabled) {
  assert(t >= 0.0f && std::isfinite(t));
  const bool playing = !level_completion::isFinishOver();
  if (playing && !camera::isOpeningMove()) step(t);
  if (playing) stepWaterSounds(t);
  camera::update(inputEnabled, t);
  if (playing && !camera::isOpeningMove())
    level_completion::update(t);
  else
    level_completion::skipClock();
}

void restartLevel() {
  particle_manager::deleteAllWater();
  level::restartLevel();
  camera::initialise();
  placeWaterAndCamera();
  initialiseWaterSounds();
  level_completion::initialise();
}

void endLevel() {
  level::clearLevel();
  particle_manager::shutdown();
  water_sounds::shutdown();
}

}  // namespace simulation
