#include "game/entities/triggers.h"

#include "game/console/console.h"

namespace {

std::list<Trigger> triggerList_;

}  // namespace

namespace triggers {

void initialise() {
  shutdown();
  console::print("\nInitialising down trigger manager..");
}

void shutdown() {
  console::print("\nShutting down trigger manager..");
  triggerList_.clear();
}

void addTrigger(int32_t triggerType, uint32_t targetId, float value, Vec2 corner1, Vec2 corner2,
                Vec2 corner3, Vec2 corner4) {
  triggerList_.push_back({triggerType, targetId, value, {corner1, corner2, corner3, corner4}});
}

const std::list<Trigger>& triggerList() {
  return triggerList_;
}

}  // namespace triggers
