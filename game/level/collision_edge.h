#pragma once
// One directed straight edge of the level's solid geometry. The collision tree's nodes and
// the per-step edges of moving polygons share this record.

#include "common/vector2.h"

class Polygon;

struct CollisionEdge {
  Vec2 start;
  Vec2 end;
  Vec2 normal;     // (-direction.y, direction.x): points into the polygon, the solid side
  Vec2 direction;  // unit vector from start to end
  float length = 0.0f;
  float friction = 1.0f;  // the friction of the edge's polygon
  bool active = true;     // collides; switched with its polygon's solid flag
  bool cutter = false;    // from a polygon that only cuts others' edges while building
  Polygon* polygon = nullptr;
  CollisionEdge* parent = nullptr;      // null at the root and outside the tree
  CollisionEdge* backChild = nullptr;   // the side the normal points away from
  CollisionEdge* frontChild = nullptr;  // the side the normal points to

  // Signed distance of p from the edge's line; >= 0 on the solid side.
  float signedDistance(Vec2 p) const { return dot(p - start, normal); }
  // Position of p along the edge from its start.
  float along(Vec2 p) const { return dot(p - start, direction); }
};
