#include "game/water/grouped_particle_mover_draw.h"

#include <GL/gl.h>

#include "game/platform/debug_draw_scope.h"
#include "game/water/grouped_particle_mover.h"

namespace grouped_particle_mover {
namespace {

constexpr int32_t kOutlineSegments = 64;

}  // namespace

void drawGroups() {
  if (!drawGroupsFlag()) return;
  const DebugDrawScope scope;
  glColor4f(1.0f, 0.0f, 0.0f, 1.0f);
  for (const ParticleGroup& group : groupList()) {
    gl_state::drawCircle(group.centre.x, group.centre.y, group.radius, kOutlineSegments);
  }
}

}  // namespace grouped_particle_mover
