#pragma once
// An ice lump: frozen particles carried as one disc with one centre, velocity and
// temperature. The particles are drawn towards fixed places inside the disc.

#include <cmath>
#include <list>

#include "game/water/particle.h"

struct ParticleGroup {
  ParticleList particles;  // owned; in no other list and no grid cell
  float radius = 2.0f;
  // The radius of a disc whose area is that of its particles: 2 * sqrt(count).
  float targetRadius = 2.0f;
  Vec2 centre;
  Vec2 velocity;
  Vec2 previousVelocity;
  Vec2 push;                     // extra velocity for this step, handed to the particles
  bool touchedGeometry = false;  // the disc touched a wall during this step
  float temperature = 0.0f;
  bool killPending = false;
  float killTimer = 0.0f;
};

using ParticleGroupList = std::list<ParticleGroup>;
