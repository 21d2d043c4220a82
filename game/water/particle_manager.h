#pragma once
// The particle manager owns the free particles of the level's liquid: it creates them,
// steps them once per simulation tick (gravity turned by the camera, drift towards the room
// temperature, motion and collision, cohesion, freezing, the ice groups) and deletes those
// that leave the neighbourhood of the view or whose kill timer runs out.

#include <cstdint>
#include <string_view>

#include "game/water/particle.h"

namespace particle_manager {

constexpr std::string_view kWaterConfigPath = "cfg\\water.cfg";
// "ParticleCreate" stops here, free and frozen water together: the neighbour search and the
// drawing keep a playable frame rate up to about this many, and a typo can't freeze the game.
constexpr int64_t kMostWater = 8192;

// The settings of water.cfg, several also console variables.
struct Settings {
  float gravity = 0.0f;           // units per second squared
  float roomTemperature = 0.0f;   // what everything drifts towards
  float heatTransferRate = 0.0f;  // share of the gap to room temperature closed per second
  float steamRiseRate = 0.0f;     // steam's upward acceleration, in gravities
  float steamScatterRate = 0.0f;  // steam's random sideways acceleration, in gravities
  float particleKillTime = 0.0f;  // seconds from being marked to being deleted
};

// Shuts down what ran before, starts the particle mover and the ice groups, registers the
// console entries and reads water.cfg.
void initialise();
// Deletes every particle and group and removes the console entries.
void shutdown();

// Appends `amount` particles scattered over the disc of `radius` around (x, y), at the
// room temperature and at rest.
void createParticles(float x, float y, float radius, int32_t amount);
// Unlinks the particle from the grid and erases it; the position after it.
ParticleList::iterator deleteParticle(ParticleList::iterator particle);
// Starts the particle's kill timer unless it is running already.
void markForKill(Particle& particle);
// Deletes every free particle and every ice group and empties the grid (a level restart).
void deleteAllWater();

// One simulation step of all particles and ice groups.
void step(float dt);

ParticleList& particleList();
size_t particleCount();
const Settings& settings();

// Gravity's velocity change over `dt`, turned with the camera.
Vec2 gravityStep(float dt);

}  // namespace particle_manager
