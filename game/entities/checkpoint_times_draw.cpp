#include "game/entities/checkpoint_times_draw.h"

#include <GL/gl.h>

#include <optional>

#include "game/entities/checkpoint_times.h"
#include "game/platform/font_text.h"
#include "game/platform/gl_state.h"
#include "game/platform/window.h"

namespace checkpoint_times {
namespace {

constexpr float kScreenWidth = 800.0f;
constexpr float kScreenHeight = 600.0f;

void drawCentred(const TextureHandle& font, const Display& display) {
  const Settings& look = settings();
  gl_state::pushAllState();
  gl_state::setup2DProjection();
  glScalef(float(window::clientWidth()) / kScreenWidth,
           float(window::clientHeight()) / kScreenHeight, 1.0f);
  drawTextCentered(font, display.text, 0.0f, look.yPosition, kScreenWidth, look.fontSize,
                   look.fontSize, display.colour.r, display.colour.g, display.colour.b,
                   display.colour.a);
  gl_state::popAllState();
}

}  // namespace

void draw() {
  const TextureHandle* loadedFont = font();
  const std::optional<Display>& display = shownDisplay();
  if (loadedFont != nullptr && display) drawCentred(*loadedFont, *display);
}

}  // namespace checkpoint_times
