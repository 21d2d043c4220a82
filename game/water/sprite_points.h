#pragma once
// Sprites drawn as one point each by a small shader program under a software renderer, the
// one kind of driver they pay on. There a point costs a quarter of a quad's vertices and half its
// primitives, and no pixel along a quad's diagonal is shaded twice. The program rebuilds
// each sprite's quad from its point: a pixel takes the texture coordinate the quad would
// give it, so the sprites turn with the view and keep their sizes, colours and texture
// filtering; the point is the quad's bounding square, and the pixels outside the quad are
// left alone.

#include <cstddef>

#include "game/water/sprite_batch.h"

namespace sprite_points {

// Draws the sprites as points with the bound two-dimensional texture. False, with nothing
// drawn, where points are switched off or not available, the view is not a flat one, or a
// sprite's size is not above nothing or is beyond the driver's largest point.
bool draw(const Sprite* sprites, size_t count);
// Whether the current context draws sprites as points (switched on or not); builds the
// program on first asking.
bool available();

// On at start-up; "SpritePoints 0" draws quads, to compare the two.
void setEnabled(bool on);
bool enabled();

}  // namespace sprite_points
