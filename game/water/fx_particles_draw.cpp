#include "game/water/fx_particles_draw.h"

#include <GL/gl.h>

#include "game/platform/debug_draw_scope.h"
#include "game/water/fx_particles.h"

namespace fx_particles {
namespace {

constexpr float kMarkerHalfSize = 3.0f;
constexpr float kDirectionLength = 24.0f;

void drawEmitterMarker(const FxEmitter& emitter) {
  const Vec2 p = emitter.position;
  const Vec2 tip = p + emitter.direction * kDirectionLength;
  if (emitter.active)
    glColor4f(1.0f, 0.9f, 0.2f, 1.0f);
  else
    glColor4f(0.6f, 0.6f, 0.6f, 1.0f);
  glBegin(GL_LINE_LOOP);
  glVertex2f(p.x - kMarkerHalfSize, p.y - kMarkerHalfSize);
  glVertex2f(p.x + kMarkerHalfSize, p.y - kMarkerHalfSize);
  glVertex2f(p.x + kMarkerHalfSize, p.y + kMarkerHalfSize);
  glVertex2f(p.x - kMarkerHalfSize, p.y + kMarkerHalfSize);
  glEnd();
  glBegin(GL_LINES);
  glVertex2f(p.x, p.y);
  glVertex2f(tip.x, tip.y);
  glEnd();
}

}  // namespace

void draw() {
  for (const FxSpriteRun& run : buildSpriteRuns()) {
    glBlendFunc(GL_SRC_ALPHA, run.additive ? GL_ONE : GL_ONE_MINUS_SRC_ALPHA);
    run.batch.draw(run.textureId);
  }
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void drawEmitters() {
  if (!emitterDrawFlag()) return;
  const DebugDrawScope scope;
  for (const FxEmitter& emitter : emitterList()) drawEmitterMarker(emitter);
}

}  // namespace fx_particles
