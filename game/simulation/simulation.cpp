#include "game/simulation/simulation.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <chrono>
#include <cmath>

#include "common/fnv_hash.h"
#include "game/console/console.h"
#include "game/entities/level_objects.h"
#include "game/entities/movers.h"
#include "game/entities/sound_sources.h"
#include "game/entities/triggers.h"
#include "game/level/level_data.h"
#include "game/simulation/camera_steering.h"
#include "game/simulation/level_completion.h"
#include "game/simulation/level_loading.h"
#include "game/simulation/tick_profile.h"
#include "game/water/fx_particles.h"
#include "game/water/grouped_particle_mover.h"
#include "game/water/ice_sounds.h"
#include "game/water/particle_manager.h"
#include "game/water/steam_sounds.h"
#include "game/water/water_sounds.h"
#include "game/world/camera.h"
#include "game/world/level_record.h"
#include "game/world/screen_flow.h"

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

// One simulation step, stage by stage in the order the game runs them.
const Stage kStages[] = {
    {"movers", moveGeometry},           // moving walls, and the objects they carry
    {"effects", fx_particles::step},    // effect sprites, which never touch the water
    {"water", particle_manager::step},  // particles and ice groups
    {"triggers", triggers::step},       // what the water set off this step
    {"objects", level_objects::step},   // animations, started by the triggers above
};
static_assert(std::size(kStages) <= tick_profile::kMostStages);

std::array<std::string_view, std::size(kStages)> stageNames() {
  std::array<std::string_view, std::size(kStages)> names;
  std::ranges::transform(kStages, names.begin(), &Stage::name);
  return names;
}

tick_profile::Profile profile_{stageNames()};

void printTickProfile() {
  console::print(profile_.report());
}

// Registered by beginLevel and removed by endLevel. The profile only prints, so a replay
// has no use for it.
const console::NamedCommand kEntries[] = {
    {"TickProfile", printTickProfile, console::InReplay::kRefused},
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

// The placed sounds and the water body's sounds follow play on every tick until the finish
// has run out, paused or not: their loops stop while play is paused or a menu is open.
void updateSounds(float t, const TickControls& controls) {
  const bool menuOpen = screen_flow::isMenuOpen();
  sound_sources::update({controls.paused, menuOpen, level_record::isLevelOver()});
  const water_sound_rules::PlayState play{controls.paused, menuOpen};
  ice_sounds::step(t, play);
  water_sounds::step(t, play);
  steam_sounds::step(t, play);
}

// The world moves, and the level clock runs, only while the level is really played.
bool playing(const TickControls& controls) {
  return !screen_flow::isMenuOpen() && !controls.paused && !level_record::isFinishOver() &&
         !camera::isOpeningMove();
}

uint32_t timedStep(float t) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point start = Clock::now();
  step(t);
  const auto cost = std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - start);
  return static_cast<uint32_t>(cost.count());
}

// The state hash takes each float's bits, so -0 and 0 (and every NaN) stay apart.
void hashFloat(Fnv1a64& hash, float value) {
  hash.addU32(std::bit_cast<uint32_t>(value));
}

void hashVec2(Fnv1a64& hash, Vec2 value) {
  hashFloat(hash, value.x);
  hashFloat(hash, value.y);
}

}  // namespace

void step(float t) {
  const float dt = std::min(t, kLongestStep);
  profile_.beginTick();
  for (size_t i = 0; i < std::size(kStages); ++i) {
    kStages[i].run(dt);
    profile_.endStage(i);
  }
}

bool startLevel(std::string_view mapPath) {
  level::loadSurfaces();
  if (!level::loadLevel(mapPath)) return false;
  // Headless runs play at once: no menu opens over the level.
  screen_flow::reset();
  beginLevel();
  return true;
}

void beginLevel(void (*afterParticles)()) {
  triggers::readTemperatureSettings();
  particle_manager::initialise();
  if (afterParticles != nullptr) afterParticles();
  camera::initialise();
  placeWaterAndCamera();
  initialiseWaterSounds();
  level_completion::initialise();
  console::addCommands(kEntries);
}

// The camera's opening move is asked about twice: it may end in this tick's camera update,
// and then the level clock already counts this tick.
TickReport tick(float t, const TickControls& controls) {
  assert(t >= 0.0f && t <= kLongestTick);
  TickReport report;
  const uint32_t clockBefore = level_record::clockReadingMs();
  if (playing(controls)) {
    report.stepCost = timedStep(t);
    report.stepped = true;
  }
  if (!level_record::isFinishOver()) updateSounds(t, controls);
  if (!screen_flow::isMenuOpen()) {
    if (controls.inputEnabled)
      report.turnInput = controls.playedInput ? *controls.playedInput : camera::readTurnInput();
    camera::update(report.turnInput ? &*report.turnInput : nullptr, t);
  }
  if (playing(controls))
    level_completion::update(t);
  else
    level_record::skipClock();
  report.clockStepMs = level_record::clockReadingMs() - clockBefore;
  return report;
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
  fx_particles::shutdown();
  level_completion::shutdown();
  console::removeCommands(kEntries);
}

tick_profile::Profile& tickProfile() {
  return profile_;
}

uint64_t particleStateHash(const ParticleList& particles, const ParticleGroupList& groups) {
  Fnv1a64 hash;
  for (const Particle& p : particles) {
    hashVec2(hash, p.position);
    hashVec2(hash, p.velocity);
    hashFloat(hash, p.temperature);
  }
  for (const ParticleGroup& group : groups) {
    hashVec2(hash, group.centre);
    hashVec2(hash, group.velocity);
    hashFloat(hash, group.temperature);
    hash.addU32(uint32_t(group.particles.size()));
    for (const Particle& p : group.particles) hashVec2(hash, p.position);
  }
  return hash.value();
}

uint64_t stateHash() {
  return particleStateHash(particle_manager::particleList(), grouped_particle_mover::groupList());
}

}  // namespace simulation
