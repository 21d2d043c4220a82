#pragma once
// Triggers: invisible quadrilateral areas of the level with a type and a target id. Water
// entering an area sets it off; the type decides what happens to the water or to the
// entities that carry the target id.

#include <cstdint>
#include <list>

#include "game/level/vector2.h"

struct Trigger {
  int32_t triggerType = -1;
  uint32_t targetId = 0;  // 0: no target
  float value = 0.0f;     // the type's parameter: the delay of its action
  Vec2 corners[4];        // the area, corner 1 to 4
};

namespace triggers {

// Type numbers the level data looks for.
constexpr int32_t kSoundPlay = 100;
constexpr int32_t kEntityRemove = 300;
constexpr int32_t kEntityAdd = 301;

void initialise();
void shutdown();
void addTrigger(int32_t triggerType, uint32_t targetId, float value, Vec2 corner1, Vec2 corner2,
                Vec2 corner3, Vec2 corner4);
// The triggers in the order added; elements keep their addresses while listed.
const std::list<Trigger>& triggerList();

}  // namespace triggers
