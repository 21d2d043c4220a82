#pragma once
// The static collision of the level: the straight edges of the level's solid polygons,
// cleaned of shared and overlapping pieces and arranged in a binary space partitioning
// tree whose nodes are the edges themselves. Particles and ice lumps are pushed out of it
// with collideCircle; castRay serves the "BspCast" benchmark. Edges of moving polygons
// are not in the tree: collideCircle tests them from the movers' per-step list.

#include <vector>

#include "game/level/collision_edge.h"

namespace collision {

// Builds the tree from the level's polygons, replacing any previous tree, and registers
// the tree's console entries (also when no edge results).
void buildCollisionTree();
// Frees every node and removes the console entries.
void destroyCollisionTree();
// Clears the debug-draw flags and makes every edge collide again.
void resetCollisionTree();

// Appends the polygon's outline edges (those longer than 0.01), each running so that its
// normal points into the polygon, the closing edge last.
void collectPolygonEdges(Polygon& polygon, std::vector<CollisionEdge>& edges);

// Appends every node in order: back subtree, node, front subtree.
void collectEdges(std::vector<CollisionEdge*>& list);
// The edges of the carried solid polygons where they stand this step, tested with the tree's
// own: the movers fill the list each step, since they know where each polygon is carried.
std::vector<CollisionEdge>& movingEdges();

// Pushes the circle out of every edge it overlaps, the moving edges included, moving
// `centre` in place; true when anything was touched. Not re-entrant.
bool collideCircle(Vec2& centre, float radius);
// The same against the tree only.
bool collideCircleStatic(Vec2& centre, float radius);
// The last query's mean contact normal (towards the walls; (0, 0) without contact) and
// mean friction (1 without contact).
Vec2 contactDirection();
float contactFriction();

// The first active edge hit on the way from `from` to `to`, or nullptr; on a hit `to` is
// moved to the hit point.
CollisionEdge* castRay(Vec2 from, Vec2& to);

// Read by the debug drawing.
struct DebugView {
  const CollisionEdge* root = nullptr;
  const CollisionEdge* walkNode = nullptr;
  bool walkDraw = false, castDraw = false, splitDraw = false, nodeDraw = false;
  const Vec2* castStarts = nullptr;  // kCastRays each, once "BspCast" has run
  const Vec2* castEnds = nullptr;
};
constexpr int kCastRays = 256;
DebugView debugView();

}  // namespace collision
