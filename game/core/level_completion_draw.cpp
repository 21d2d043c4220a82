#include "game/core/level_completion_draw.h"

#include <GL/gl.h>

#include "game/console/console.h"
#include "game/core/level_completion.h"
#include "game/platform/gl_state.h"
#include "game/platform/window.h"

namespace level_completion {
namespace {

constexpr float kScreenWidth = 800.0f;
constexpr float kScreenHeight = 600.0f;

}  // namespace

void drawOverlay() {
  gl_state::setup2DProjection();
  glScalef(float(window::clientWidth()) / kScreenWidth,
           float(window::clientHeight()) / kScreenHeight, 0.0f);
  // The finish animation fading in over the screen comes with the menus' widgets.
  if (timePrintEnabled()) console::print(levelTimeText(elapsedMs()));
}

}  // namespace level_completion
