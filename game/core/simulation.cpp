#include "game/core/simulation.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include "game/core/camera.h"
#include "game/level/level_data.h"
#include "game/water/particle_manager.h"

namespace simulation {
namespace {

struct Stage {
  std::string_view name;
  void (*run)(float dt);
};

// One simulation step, stage by stage in the order the game runs them. The level's movers,
// emitters, triggers and objects take their places in this list as they come to life.
const Stage kStages[] = {
    {"water", particle_manager::step},
};

void simulationStep(float dt) {
  for (const Stage& stage : kStages) stage.run(dt);
}

// The level's start state of water and camera: the camera flies in from the camera start
// to the water before anything moves.
void placeWaterAndCamera() {
  const Vec2 water = level::waterStart();
  particle_manager::createParticles(water.x, water.y, kStartWaterRadius, kStartWaterAmount);
  camera::setPosition(level::cameraStart());
  camera::setMode(camera::kOpeningMove);
}

}  // namespace

bool startLevel(std::string_view mapPath) {
  level::loadSurfaces();
  if (!level::loadLevel(mapPath)) return false;
  particle_manager::initialise();
  camera::initialise();
  placeWaterAndCamera();
  return true;
}

void tick(float t, bool inputEnabled) {
  assert(t >= 0.0f && std::isfinite(t));
  if (!camera::isOpeningMove()) simulationStep(std::min(t, kLongestStep));
  camera::update(inputEnabled, t);
}

void restartLevel() {
  particle_manager::deleteAllWater();
  level::restartLevel();
  camera::initialise();
  placeWaterAndCamera();
}

void endLevel() {
  level::clearLevel();
  particle_manager::shutdown();
}

}  // namespace simulation
