#pragma once
// One polygon of the level: its flags, its outline in world units and the triangles of that
// outline. The outline never changes once the level is loaded; the polygon is drawn and
// collided at the outline plus its offset, which movers change.

#include <cstdint>
#include <span>
#include <vector>

#include "common/vector2.h"
#include "game/level/triangulation.h"
#include "game/platform/texture_handle.h"

class Polygon {
 public:
  bool solid = true;         // takes part in collision
  bool solidAtStart = true;  // as the level file set it; a restart puts it back
  bool enabled = true;       // present in the level now (triggers remove and add it)
  bool visible = true;       // drawn
  bool moving = false;       // carried by a mover
  bool switchable = false;   // a trigger removes or adds it
  uint32_t id = 0;           // group number shared with movers and trigger targets
  int32_t layer = 0;         // drawing layer 0..4
  Vec2 offset;               // displacement by movers now
  Vec2 previousOffset;       // the offset after the previous mover step
  TextureHandle texture;

  float friction() const { return friction_; }
  // Stored clamped to [0, 1].
  void setFriction(float value);

  // Appends (x, y) unless the outline already has exactly that point.
  void addPoint(float x, float y);
  size_t pointCount() const { return outlineX_.size(); }
  std::span<const float> outlineX() const { return outlineX_; }
  std::span<const float> outlineY() const { return outlineY_; }
  Vec2 outlinePoint(size_t i) const { return {outlineX_[i], outlineY_[i]}; }

  // The triangulation of the outline as it stands. It is the one that triangulating after
  // every added point would leave, but is computed once, when first asked for.
  const Triangulation& triangulation() const;
  uint8_t windingFlag() const { return triangulation().windingFlag; }
  int32_t triangleCount() const { return triangulation().triangleCount(); }

 private:
  void retriangulate() const;

  float friction_ = 1.0f;
  std::vector<float> outlineX_;
  std::vector<float> outlineY_;

  mutable Triangulation triangulation_;
  // Points that triangulation_ has seen; fewer than pointCount() means it is stale.
  mutable size_t triangulatedPoints_ = 0;
};
