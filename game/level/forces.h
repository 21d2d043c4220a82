#pragma once
// Force markers: positions with a direction and a strength that the level's force
// triggers apply to the water. A force does nothing by itself and is never stepped.

#include <cstdint>
#include <list>

#include "common/vector2.h"

struct Force {
  bool active = true;  // applied by triggers; switched by remove/add triggers
  uint32_t id = 0;
  Vec2 position;
  Vec2 direction;  // unit vector
  float strength = 0.0f;
};

namespace forces {

// Shuts down what ran before, clears the "ForceDraw" flag and registers the console entries.
void initialise();
// Empties the list and removes the console entries.
void shutdown();
// Appends an active force; the direction is normalised ((0, 0) becomes (1, 0)).
void addForce(uint32_t id, float x, float y, float dirX, float dirY, float strength);
// The forces in the order added; elements keep their addresses while listed.
std::list<Force>& forceList();
// The "ForceDraw" debug flag: the markers are drawn over the level.
bool drawForcesFlag();

}  // namespace forces
