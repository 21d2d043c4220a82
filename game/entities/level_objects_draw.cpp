#include "game/entities/level_objects_draw.h"

#include <GL/gl.h>

#include <cstdio>

#include "game/console/console.h"
#include "game/entities/level_objects.h"
#include "game/platform/debug_draw_scope.h"
#include "game/platform/font_text.h"

namespace level_objects {
namespace {

constexpr float kLabelSize = 8.0f;

void drawQuad(const LevelObject& object, const TextureHandle& frame) {
  const Vec2 centre = object.position + object.offset;
  const float halfWidth = float(frame.width()) * 0.5f;
  const float halfHeight = float(frame.height()) * 0.5f;
  const float left = object.mirrored ? 1.0f : 0.0f;
  const float right = 1.0f - left;
  glTexCoord2f(left, 0.0f);
  glVertex2f(centre.x - halfWidth, centre.y - halfHeight);
  glTexCoord2f(right, 0.0f);
  glVertex2f(centre.x + halfWidth, centre.y - halfHeight);
  glTexCoord2f(right, 1.0f);
  glVertex2f(centre.x + halfWidth, centre.y + halfHeight);
  glTexCoord2f(left, 1.0f);
  glVertex2f(centre.x - halfWidth, centre.y + halfHeight);
}

void drawLabels(const TextureHandle& font, const std::list<LevelObject>& list) {
  char label[32];
  for (const LevelObject& object : list) {
    std::snprintf(label, sizeof label, "OBJ ID: %1i", int(object.id));
    const Vec2 at = object.position + object.offset;
    drawText(font, label, at.x, at.y, kLabelSize, 1.0f, 1.0f, 1.0f, 1.0f);
  }
}

}  // namespace

void drawLayer(int32_t layer) {
  uint32_t bound = 0;
  bool begun = false;
  for (const LevelObject* object : layerQueue(layer)) {
    const TextureHandle& frame = *object->currentFrame();
    if (!begun || frame.textureId() != bound) {
      if (begun) glEnd();
      bound = frame.textureId();
      glBindTexture(GL_TEXTURE_2D, bound);
      glBegin(GL_QUADS);
      begun = true;
    }
    drawQuad(*object, frame);
  }
  if (begun) glEnd();
  clearLayerQueue(layer);
}

void drawObjectIds() {
  if (!drawIdsFlag()) return;
  const TextureHandle* font = console::fontTexture();
  if (font == nullptr) return;
  const DebugDrawScope scope;
  drawLabels(*font, stillObjects());
  drawLabels(*font, animatedObjects());
}

}  // namespace level_objects
