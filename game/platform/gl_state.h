#pragma once
// Drawing conveniences every renderer shares, on the current OpenGL context.

#include <cstdint>

namespace gl_state {

// Viewport over the whole client area; drawing coordinates become client pixels with the
// origin at the top-left and y growing downward; model-view is the identity.
void setup2DProjection();
// The same for a drawable of `width` x `height` pixels, for a thread that draws into the
// window with a context of its own.
void setup2DProjection(int32_t width, int32_t height);
void clearScreen(float r, float g, float b);
// Saves every attribute, every client attribute, the projection and the model-view matrix;
// popAllState restores them in reverse and leaves the matrix mode at model-view. Renderers
// bracket their drawing with the pair.
void pushAllState();
void popAllState();
// A circle outline as one batch of `segments` lines.
void drawCircle(float x, float y, float radius, int32_t segments);

}  // namespace gl_state
