#include "game/level/level_renderers.h"

#include "game/level/dynamic_polygon_renderer.h"
#include "game/level/geometry_renderer.h"
#include "game/level/level_data.h"

namespace level {

void installLevelRenderers() {
  setRendererHooks({
      .initialiseGeometry = geometry_renderer::initialiseGeometryRenderer,
      .shutdownGeometry = geometry_renderer::shutdownGeometryRenderer,
      .initialiseDynamic = dynamic_polygon_renderer::initialiseDynamicRenderer,
      .shutdownDynamic = dynamic_polygon_renderer::shutdownDynamicRenderer,
  });
}

void uninstallLevelRenderers() {
  setRendererHooks({});
}

}  // namespace level
