#pragma once
// One free particle of the level's liquid. Whether it behaves as water, ice or steam follows
// from its temperature alone.

#include <cstdint>
#include <list>

#include "common/vector2.h"

// Every particle collides as a circle of this radius.
constexpr float kParticleRadius = 2.0f;
// At or below: ice. At or above kSteamTemperature: steam. Between: water.
constexpr float kIceTemperature = 0.0f;
constexpr float kSteamTemperature = 100.0f;

struct Particle {
  Vec2 position;
  Vec2 history1;  // position at the start of the current step
  Vec2 history2;  // one step earlier
  Vec2 history3;  // two steps earlier
  Vec2 velocity;  // units per second
  Vec2 previousVelocity;
  // Extra velocity for this step only: moving geometry pushing the particle, or the ice
  // group carrying it. Cleared at the end of each step.
  Vec2 push;
  float temperature = 0.0f;
  float speed = 0.0f;  // |velocity + push| at the end of the particle's step
  // The particle's slot in the neighbour grid and the grid cell that holds it.
  int32_t gridSlot = -1;
  int32_t cellX = 0;
  int32_t cellY = 0;
  bool inGrid = false;
  bool killPending = false;
  float killTimer = 0.0f;  // seconds left once marked
  // The particle's place in its ice group: a unit direction and a fraction of the radius.
  Vec2 iceDirection;
  float iceFraction = 0.0f;

  bool isSteam() const { return temperature >= kSteamTemperature; }
};

// The free particles in creation order; a list, so that deleting one while iterating keeps
// every other particle (and the grid's pointers to it) in place.
using ParticleList = std::list<Particle>;
