#include "game/world/camera_draw.h"

#include <GL/gl.h>

#include "game/platform/platform_services.h"
#include "game/world/camera.h"

namespace camera {

void applyTransform() {
  const platform::Services& services = platform::services();
  const float clientWidth = static_cast<float>(services.clientWidth());
  const float clientHeight = static_cast<float>(services.clientHeight());
  const Vec2 centre = camera::centre();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glScalef(clientWidth / viewWidth(), clientHeight / viewHeight(), 0.0f);
  glTranslatef(viewWidth() * 0.5f, viewHeight() * 0.5f, 0.0f);
  glScalef(1.0f / zoom(), 1.0f / zoom(), 0.0f);
  glRotatef(-angle(), 0.0f, 0.0f, 1.0f);
  glTranslatef(-centre.x, -centre.y, 0.0f);
}

}  // namespace camera
