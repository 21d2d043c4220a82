#include "game/entities/triggers_draw.h"

#include <GL/gl.h>

#include <cstdio>
#include <string>

#include "game/console/console.h"
#include "game/entities/triggers.h"
#include "game/platform/debug_draw_scope.h"
#include "game/platform/font_text.h"

namespace triggers {
namespace {

constexpr float kLabelSize = 8.0f;

void drawTriangleLoop(const TriggerTriangle& triangle) {
  glBegin(GL_LINE_LOOP);
  for (const Vec2& corner : triangle.vertices) glVertex2f(corner.x, corner.y);
  glEnd();
}

void drawLabel(const Trigger& trigger) {
  const TextureHandle* font = console::fontTexture();
  if (font == nullptr) return;
  // The type's name is a view into the type table, not terminated: copy it for printf.
  const std::string typeName(trigger.type != nullptr ? trigger.type->name : std::string_view{});
  char label[128];
  std::snprintf(label, sizeof label, "id: %1i name: %2s ", int32_t(trigger.targetId),
                typeName.c_str());
  const Vec2 centre = trigger.centre();
  drawText(*font, label, centre.x, centre.y, kLabelSize, 1.0f, 1.0f, 1.0f, 1.0f);
}

}  // namespace

void drawTriggers() {
  if (!drawTriggersFlag()) return;
  const DebugDrawScope scope;
  glLineWidth(1.0f);
  for (const Trigger& trigger : triggerList()) {
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    drawTriangleLoop(trigger.triangleA);
    drawTriangleLoop(trigger.triangleB);
    drawLabel(trigger);
  }
}

}  // namespace triggers
