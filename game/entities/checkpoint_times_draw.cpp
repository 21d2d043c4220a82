#include "game/entities/checkpoint_times_draw.h"

#include <GL/gl.h>

#include <chrono>
#include <optional>

#include "game/entities/checkpoint_times.h"
#include "game/platform/font_text.h"
#include "game/platform/gl_state.h"
#include "game/platform/window.h"
#include "game/world/level_record.h"

namespace checkpoint_times {
namespace {

constexpr float kScreenWidth = 800.0f;
constexpr float kScreenHeight = 600.0f;

using Clock = std::chrono::steady_clock;
// The fades run on real time, also while the game is paused; the clock is read on every
// call, shown or not, so a display starts its fade from the frame it begins in.
std::optional<Clock::time_point> lastDraw;

float secondsSinceLastDraw() {
  const Clock::time_point now = Clock::now();
  const float seconds = lastDraw ? std::chrono::duration<float>(now - *lastDraw).count() : 0.0f;
  lastDraw = now;
  return seconds;
}

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
  drawAfter(secondsSinceLastDraw());
}

void drawAfter(float realSeconds) {
  const TextureHandle* loadedFont = font();
  if (loadedFont == nullptr) return;
  const std::optional<Display> display = advanceDisplay(realSeconds, level_record::elapsedMs());
  if (display) drawCentred(*loadedFont, *display);
}

}  // namespace checkpoint_times
