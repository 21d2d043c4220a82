// The tree's queries. A circle gathers the edges whose lines it reaches, walking down only
// the sides of each node it reaches, plus the moving polygons' edges of this step, and is then
// pushed off them in a few passes. A ray visits the nodes front to back from its start and
// stops at the first active edge it crosses. The queries keep their working lists between
// calls, so a particle's collision allocates nothing once the lists have grown.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "game/level/collision_tree_internal.h"
#include "game/level/geometry.h"

namespace collision {

using detail::treeState;

namespace {

constexpr float kTouchDistance = 0.025f;  // a ray starting this close to an edge touches it

// ---- Circle queries ---------------------------------------------------------------------

struct ContactPoint {
  Vec2 point;
  float friction;
};

// The state of the current circle query, kept between calls so that its lists keep their
// capacity.
struct CircleQuery {
  Vec2* centre = nullptr;
  float radius = 0.0f;
  std::vector<const CollisionEdge*> candidates;
  std::vector<ContactPoint> contacts;
  std::vector<const CollisionEdge*> stack;
  Vec2 directionSum;
  float frictionSum = 0.0f;
  int32_t count = 0;
  Vec2 direction;
  float friction = 1.0f;
};

CircleQuery query;

void beginQuery(Vec2& centre, float radius) {
  query.directionSum = {};
  query.frictionSum = 0.0f;
  query.count = 0;
  query.centre = &centre;
  query.radius = radius;
}

// An edge whose line the circle reaches: within the edge's length both the edge and the
// nearest point on it; past an end but within the radius of it, that end point.
void gatherEdge(const CollisionEdge& edge) {
  const float r = query.radius;
  const float t = edge.along(*query.centre);
  if (t >= 0.0f && t <= edge.length) {
    query.candidates.push_back(&edge);
    query.contacts.push_back({edge.start + edge.direction * t, edge.friction});
  } else if (t >= -r && t <= edge.length + r) {
    query.contacts.push_back({t < 0.0f ? edge.start : edge.end, edge.friction});
  }
}

void gatherMovingEdges() {
  const float r = query.radius;
  for (const CollisionEdge& edge : movingEdges()) {
    const float d = edge.signedDistance(*query.centre);
    if (d >= -r && d <= r) gatherEdge(edge);
  }
}

// A subtree on one side of a node's line is visited only when the circle reaches that side.
// The stack gives the same order as visiting node, back subtree, front subtree recursively.
void gatherTreeEdges() {
  const float r = query.radius;
  std::vector<const CollisionEdge*>& stack = query.stack;
  stack.clear();
  if (const CollisionEdge* root = treeState().root) stack.push_back(root);
  while (!stack.empty()) {
    const CollisionEdge* node = stack.back();
    stack.pop_back();
    const float d = node->signedDistance(*query.centre);
    if (d >= r) {
      if (node->frontChild) stack.push_back(node->frontChild);
    } else if (d < -r) {
      if (node->backChild) stack.push_back(node->backChild);
    } else {
      if (node->active) gatherEdge(*node);
      if (node->frontChild) stack.push_back(node->frontChild);
      if (node->backChild) stack.push_back(node->backChild);
    }
  }
}

void addContact(Vec2 direction, float friction) {
  query.directionSum += direction;
  query.frictionSum += friction;
  ++query.count;
}

// Pushes the circle off each contact point it still covers, then behind each candidate
// edge's line to its free side; true when anything moved it (or left it just touching).
bool resolvePass() {
  Vec2& c = *query.centre;
  const float r = query.radius;
  bool touched = false;
  for (const ContactPoint& contact : query.contacts) {
    const Vec2 delta = contact.point - c;
    const float d = length(delta);
    if (d > 0.0f && d < r) {
      const Vec2 towards = delta / d;
      c -= towards * (r - d);
      addContact(towards, contact.friction);
      touched = true;
    }
  }
  for (const CollisionEdge* edge : query.candidates) {
    const float d = edge->signedDistance(c);
    if (d >= -r) {
      c -= edge->normal * (r + d);
      addContact(edge->normal, edge->friction);
      touched = true;
    }
  }
  return touched;
}

constexpr int kResolvePasses = 3;

bool finishQuery() {
  bool touched = false;
  for (int pass = 0; pass < kResolvePasses; ++pass) {
    if (!resolvePass()) break;
    touched = true;
  }
  if (query.count > 0) {
    query.direction = query.directionSum / float(query.count);
    query.friction = query.frictionSum / float(query.count);
  } else {
    query.direction = {};
    query.friction = 1.0f;
  }
  query.candidates.clear();
  query.contacts.clear();
  return touched;
}

// ---- Ray cast ---------------------------------------------------------------------------

// A ray starting on an edge (within the touch distance, ends included) hits it where it
// starts, kept clear of the edge's ends.
bool touchesAtStart(const CollisionEdge& edge, Vec2 from, float fromDistance, Vec2& to) {
  if (std::fabs(fromDistance) > kTouchDistance) return false;
  float t = edge.along(from);
  if (t <= -kTouchDistance || t >= edge.length + kTouchDistance) return false;
  t = std::max(t, kTouchDistance);
  t = std::min(t, edge.length - kTouchDistance);
  to = edge.start + edge.direction * t;
  return true;
}

// Front to back from the ray's start: the subtree on the start's side first, then the node
// itself, then the far side. A ray that stays on one side visits that side only.
CollisionEdge* castThrough(CollisionEdge* node, Vec2 from, Vec2& to, const RayHitTest& ray) {
  while (node) {
    const float df = node->signedDistance(from);
    const float de = node->signedDistance(to);
    if (touchesAtStart(*node, from, df, to)) return node;
    const bool startBehind = df < 0.0f;
    CollisionEdge* nearSide = startBehind ? node->backChild : node->frontChild;
    CollisionEdge* farSide = startBehind ? node->frontChild : node->backChild;
    if (startBehind == (de < 0.0f)) {
      node = nearSide;
      continue;
    }
    if (CollisionEdge* hit = castThrough(nearSide, from, to, ray)) return hit;
    if (node->active && ray.hits(node->start, node->end, to)) return node;
    node = farSide;
  }
  return nullptr;
}

}  // namespace

std::vector<CollisionEdge>& movingEdges() {
  static std::vector<CollisionEdge> edges;
  return edges;
}

bool collideCircle(Vec2& centre, float radius) {
  beginQuery(centre, radius);
  gatherMovingEdges();
  gatherTreeEdges();
  return finishQuery();
}

bool collideCircleStatic(Vec2& centre, float radius) {
  beginQuery(centre, radius);
  gatherTreeEdges();
  return finishQuery();
}

Vec2 contactDirection() {
  return query.direction;
}

float contactFriction() {
  return query.friction;
}

CollisionEdge* castRay(Vec2 from, Vec2& to) {
  CollisionEdge* root = treeState().root;
  if (!root || from == to) return nullptr;
  // `to` changes only on the hit that ends the cast, so the ray is prepared once.
  return castThrough(root, from, to, RayHitTest(from, to));
}

}  // namespace collision
