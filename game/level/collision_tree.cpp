// The collision tree is built once per level in four stages. The solid outlines are cut
// into directed edges whose normals point into their polygons. A cleaning pass removes the
// edges two polygons share, merges edges running straight on and cuts overlapping collinear
// ones apart (collision_tree_cleaning.cpp). Edges of cutter polygons take part only in that
// pass, so they open the walls they lie against. Last, the edges become the nodes of a binary
// space partitioning tree (collision_tree_build.cpp). The queries are in
// collision_tree_queries.cpp, the console entries in collision_tree_console.cpp, and the
// state they share in collision_tree_internal.h.

#include "game/level/collision_tree.h"

#include <utility>
#include <vector>

#include "common/stopwatch.h"
#include "game/console/console.h"
#include "game/level/collision_tree_internal.h"
#include "game/level/geometry.h"
#include "game/level/level_data.h"
#include "game/level/polygon.h"

namespace collision {
namespace {

using detail::kMinimumLength;
using detail::TreeState;

// The level's one tree; the tree's other files reach it through detail::treeState().
TreeState tree;

void clearDebugFlags() {
  tree.walkDraw = tree.castDraw = tree.splitDraw = tree.nodeDraw = false;
}

// ---- Collecting edges -------------------------------------------------------------------

CollisionEdge makeEdge(Vec2 start, Vec2 end, const CollisionEdge& model) {
  CollisionEdge edge = model;
  edge.start = start;
  edge.end = end;
  edge.direction = normalised(end - start);
  edge.normal = {-edge.direction.y, edge.direction.x};
  edge.length = length(end - start);
  return edge;
}

bool takesPartInCollision(const Polygon& polygon) {
  if (polygon.pointCount() < 2) return false;
  if (!polygon.solid && polygon.visible) return false;
  return !(polygon.solid && polygon.moving);  // moving polygons collide from the movers
}

std::vector<CollisionEdge> collectLevelEdges() {
  std::vector<CollisionEdge> edges;
  for (Polygon& polygon : level::levelPolygons())
    if (takesPartInCollision(polygon)) collectPolygonEdges(polygon, edges);
  return edges;
}

// ---- Building stages --------------------------------------------------------------------

void reportBuildTime(const Stopwatch& stopwatch) {
  console::print("\nBsp Tree created in ");
  console::print(float(stopwatch.seconds()));
  console::print(" seconds.");
}

}  // namespace

detail::TreeState& detail::treeState() {
  return tree;
}

// The outline in order, closed back to its first point; the winding decides which way each
// edge runs so that its normal points into the polygon.
void collectPolygonEdges(Polygon& polygon, std::vector<CollisionEdge>& edges) {
  CollisionEdge model;
  model.friction = polygon.friction();
  model.cutter = !polygon.solid && !polygon.visible;
  model.polygon = &polygon;
  const bool forwards = polygon.windingFlag() == 1;
  const size_t n = polygon.pointCount();
  for (size_t i = 0; i < n; ++i) {
    const Vec2 a = polygon.outlinePoint(i);
    const Vec2 b = polygon.outlinePoint(i + 1 < n ? i + 1 : 0);
    const CollisionEdge edge = forwards ? makeEdge(a, b, model) : makeEdge(b, a, model);
    if (edge.length > kMinimumLength) edges.push_back(edge);
  }
}

void buildCollisionTree() {
  destroyCollisionTree();
  const Stopwatch stopwatch;
  clearDebugFlags();
  console::print("\nCreating the level bsp tree...");
  detail::addTreeEntries();
  std::vector<CollisionEdge> edges = collectLevelEdges();
  if (edges.empty()) return;
  edges = detail::cleanEdges(std::move(edges));
  if (edges.empty()) return;
  detail::plantTree(std::move(edges));
  reportBuildTime(stopwatch);
  tree.walkNode = tree.root;
}

void destroyCollisionTree() {
  tree.nodes.clear();
  tree.root = nullptr;
  tree.walkNode = nullptr;
  detail::removeTreeEntries();
}

void resetCollisionTree() {
  clearDebugFlags();
  for (CollisionEdge& node : tree.nodes) node.active = true;
}

void collectEdges(std::vector<CollisionEdge*>& list) {
  std::vector<CollisionEdge*> stack;
  CollisionEdge* node = tree.root;
  while (node || !stack.empty()) {
    for (; node; node = node->backChild) stack.push_back(node);
    node = stack.back();
    stack.pop_back();
    list.push_back(node);
    node = node->frontChild;
  }
}

DebugView debugView() {
  DebugView view;
  view.root = tree.root;
  view.walkNode = tree.walkNode;
  view.walkDraw = tree.walkDraw;
  view.castDraw = tree.castDraw;
  view.splitDraw = tree.splitDraw;
  view.nodeDraw = tree.nodeDraw;
  if (tree.haveCastRays) {
    view.castStarts = tree.castStarts.data();
    view.castEnds = tree.castEnds.data();
  }
  return view;
}

}  // namespace collision
