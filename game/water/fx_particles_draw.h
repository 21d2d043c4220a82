#pragma once
// Drawing the effect sprites: one vertex-array call per texture and blend mode.

namespace fx_particles {

// Draws every sprite near the view in the current transform, alpha-blended or additive as its
// emitter says, and leaves blending at source alpha / one minus source alpha.
void draw();
// With "FxEmitterDraw" on: every emitter as a small square with a line along its direction,
// yellow while active, grey while stopped. Leaves the OpenGL state as it found it.
void drawEmitters();

}  // namespace fx_particles
