#include "game/simulation/world_draw.h"

#include <GL/gl.h>

#include <cstdint>

#include "game/entities/level_objects.h"
#include "game/entities/level_objects_draw.h"
#include "game/entities/movers_draw.h"
#include "game/entities/sound_sources_draw.h"
#include "game/entities/triggers_draw.h"
#include "game/level/dynamic_polygon_renderer.h"
#include "game/level/forces_draw.h"
#include "game/level/geometry_renderer.h"
#include "game/level/level_debug_draw.h"
#include "game/water/fx_particles_draw.h"
#include "game/water/grouped_particle_mover_draw.h"
#include "game/water/particle_renderer.h"

namespace world_draw {
namespace {

// Layer k: moving and switched polygons first, then the fixed ones, then the level objects.
void drawLayer(int32_t layer) {
  dynamic_polygon_renderer::drawDynamicLayer(layer);
  geometry_renderer::drawStaticLayer(layer);
  level_objects::drawLayer(layer);
}

}  // namespace

void drawWorld() {
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_TEXTURE_2D);
  glDisable(GL_CULL_FACE);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  level_objects::cullAndQueue();
  dynamic_polygon_renderer::prepareDynamicPolygons();
  drawLayer(0);
  drawLayer(1);
  particle_renderer::draw();
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  for (int32_t layer = 2; layer <= 4; ++layer) drawLayer(layer);
  fx_particles::draw();
  level::drawLevelDebug();
  forces::drawForces();
  grouped_particle_mover::drawGroups();
  triggers::drawTriggers();
  level_objects::drawObjectIds();
  sound_sources::drawSoundSources();
  movers::drawMoverDebug();
  fx_particles::drawEmitters();
}

}  // namespace world_draw
