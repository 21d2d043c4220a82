#pragma once
// Movers: parts of the level carried back and forth along straight paths. The manager
// keeps the level's movers in file order; triggers address them by id and collision reads
// the edges of the solid polygons they carry.

#include <cstdint>
#include <list>
#include <vector>

#include "common/vector2.h"
#include "game/level/collision_edge.h"

class Polygon;

struct Mover {
  uint32_t id = 0;  // carries every polygon and object of this id
  Vec2 start;
  Vec2 end;
  Vec2 direction;         // unit vector from start to end; (0, 0) when they coincide
  float distance = 0.0f;  // |end - start|
  float speed = 0.0f;     // world units per second
  float position = 0.0f;  // distance travelled from start
  int32_t state = 0;      // a movers::MoverState

  // Both recompute distance and direction.
  void setStart(Vec2 point);
  void setEnd(Vec2 point);
  // What the mover adds to the offset of everything it carries: position * direction.
  Vec2 offset() const { return direction * position; }
};

// The collision of one solid polygon a mover carries.
struct MovingPolygon {
  Polygon* polygon = nullptr;
  // Made as the collision tree makes a fixed polygon's edges, at the unmoved outline.
  std::vector<CollisionEdge> edges;
  // The box around every outline point, unmoved.
  float minX = 0.0f, maxX = 0.0f, minY = 0.0f, maxY = 0.0f;
};

namespace movers {

enum MoverState : int32_t {
  kStopped = 0,
  kToEnd = 1,        // stops at the end
  kToStart = 2,      // stops at the start
  kLoopToStart = 3,  // turns into kLoopToEnd at the start
  kLoopToEnd = 4,    // turns into kLoopToStart at the end
};

// Empties the manager, clears the debug flags and registers the console entries.
void initialise();
// Empties every list and removes the console entries.
void shutdown();
// Every mover back at its start, stopped; the debug flags cleared.
void reset();
// Appends a mover with this path; it carries the level objects and polygons of its id that
// are loaded now, and gives each solid one among them its MovingPolygon.
void addMover(uint32_t id, float speed, Vec2 start, Vec2 end);
// The movers in file order; elements keep their addresses while listed.
std::list<Mover>& moverList();
// A MoverState, as the mover triggers set it; any other value is ignored.
void setMoverState(Mover& mover, int32_t state);
// At the start of every simulation step: the edges of the carried solid polygons near the
// view, where they stand now.
void buildMovingEdges();
// Advances the movers, moves what they carry and pushes the water out of their way.
void stepMovers(float dt);
// The edges of the carried solid polygons where they stand this step.
const std::vector<CollisionEdge>& movingEdges();

// Read by the debug drawing: the collision of the carried polygons, in creation order, and
// the "MoverDraw" and "DynamicNodeDraw" flags.
const std::vector<MovingPolygon>& movingPolygons();
bool moverDraw();
bool dynamicNodeDraw();

}  // namespace movers
