#include "game/level/forces.h"

#include "game/console/console.h"

namespace {

std::list<Force> forceList_;

}  // namespace

namespace forces {

void initialise() {
  shutdown();
  console::print("\nInitialising force manager.");
}

void shutdown() {
  console::print("\nShutting down force manager.");
  forceList_.clear();
}

void addForce(uint32_t id, float x, float y, float dirX, float dirY, float strength) {
  Force& force = forceList_.emplace_back();
  force.id = id;
  force.position = {x, y};
  force.direction = normalised({dirX, dirY});
  force.strength = strength;
}

std::list<Force>& forceList() {
  return forceList_;
}

}  // namespace forces
