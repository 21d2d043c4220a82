#include "game/water/fx_particles_draw.h"

#include <GL/gl.h>

#include "game/water/fx_particles.h"

namespace fx_particles {

void draw() {
  for (const FxSpriteRun& run : buildSpriteRuns()) {
    glBlendFunc(GL_SRC_ALPHA, run.additive ? GL_ONE : GL_ONE_MINUS_SRC_ALPHA);
    run.batch.draw(run.textureId);
  }
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

}  // namespace fx_particles
