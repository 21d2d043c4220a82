#pragma once
// What the fixed and the moving polygon renderers share: which polygons can be drawn at all,
// the five layers, and the emission of one layer's draw queue. A queue is emitted texture by
// texture, smallest OpenGL name first, so that each run of polygons on one texture binds it
// once and goes to the driver as one batch of triangles.

#include <cstdint>
#include <span>

#include "game/level/polygon.h"

namespace polygon_batches {

constexpr int32_t kLayerCount = 5;

// The queue a polygon of `layer` goes to; layers outside 0..4 are drawn with layer 0.
int32_t layerIndex(int32_t layer);

// Visible and with at least one triangle. An outline that crosses itself has none, so it is
// never drawn.
bool isDrawable(const Polygon& polygon);

// How a corner reaches the driver: fixed polygons at (x, y, 65535 - layer), moving ones at
// (x, y) plus their offset. Texture coordinates are the outline coordinates over the
// texture's size either way, so the texture travels with a moving polygon.
enum class VertexForm { Fixed, Moved };

// Emits the queue texture by texture, smallest name first; the polygons of one texture go in
// queue order. The queue is left as it was (the caller empties it) and nothing is
// allocated, so the moving polygons cost no memory traffic from frame to frame.
void emitQueue(std::span<const Polygon* const> queue, VertexForm form);

}  // namespace polygon_batches
