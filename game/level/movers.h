#pragma once
// Movers: parts of the level carried back and forth along straight paths. The manager
// keeps the level's movers in file order; triggers address them by id and collision reads
// the edges of the solid polygons they carry.

#include <cstdint>
#include <list>
#include <vector>

#include "game/level/collision_edge.h"
#include "game/level/vector2.h"

struct Mover {
  uint32_t id = 0;  // carries every polygon and object of this id
  Vec2 start;
  Vec2 end;
  Vec2 direction;         // unit vector from start to end; (0, 0) when they coincide
  float distance = 0.0f;  // |end - start|
  float speed = 0.0f;     // world units per second
  float position = 0.0f;  // distance travelled from start
  int32_t state = 0;      // 0 stopped, 1 to the end, 2 to the start, 3/4 looping

  // Both recompute distance and direction.
  void setStart(Vec2 point);
  void setEnd(Vec2 point);
};

namespace movers {

void initialise();
void shutdown();
// Every mover back at its start, stopped.
void reset();
// Appends a mover with this path.
void addMover(uint32_t id, float speed, Vec2 start, Vec2 end);
// The movers in file order; elements keep their addresses while listed.
std::list<Mover>& moverList();
// The edges of the carried solid polygons where they stand this step.
const std::vector<CollisionEdge>& movingEdges();

}  // namespace movers
