#include <GL/gl.h>

#include <algorithm>

#include "game/gui/hud.h"
#include "game/platform/font_text.h"
#include "game/platform/gl_state.h"
#include "game/platform/window.h"

namespace hud {
namespace {

// Laid out for an 800 x 600 window: the time, the gauge under it, the count under that.
constexpr float kLayoutWidth = 800.0f;
constexpr float kLayoutHeight = 600.0f;
constexpr float kLeft = 12.0f;
constexpr float kTimeTop = 10.0f;
constexpr float kBarTop = 32.0f;
constexpr float kBarWidth = 128.0f;
constexpr float kBarHeight = 8.0f;
constexpr float kCountTop = 46.0f;
constexpr float kCountSize = 12.0f;
// A dark plate under it all keeps the text readable over a bright or busy backdrop.
constexpr float kPlateLeft = 4.0f;
constexpr float kPlateTop = 6.0f;
constexpr float kPlateWidth = kBarWidth + 16.0f;
constexpr float kPlateHeight = 56.0f;
// The bar's dark rim, and how far the needed mark reaches past the bar.
constexpr float kRim = 2.0f;
constexpr float kMarkReach = 4.0f;

constexpr GuiColour kBlack{0.0f, 0.0f, 0.0f, 1.0f};
constexpr GuiColour kShade{0.0f, 0.0f, 0.0f, 0.45f};
constexpr GuiColour kPlate{0.0f, 0.0f, 0.0f, 0.35f};
constexpr GuiColour kHighContrastPlate{0.0f, 0.0f, 0.0f, 0.6f};
constexpr GuiColour kWater{0.28f, 0.64f, 1.0f, 1.0f};
constexpr GuiColour kWhite{};

void fillRectangle(float x, float y, float w, float h, const GuiColour& colour) {
  glColor4f(colour.r, colour.g, colour.b, colour.a);
  glBegin(GL_QUADS);
  glVertex2f(x, y);
  glVertex2f(x + w, y);
  glVertex2f(x + w, y + h);
  glVertex2f(x, y + h);
  glEnd();
}

// The bar on a dark rim, filled with the water kept; the needed share is a tick standing
// out above and below it, in the text's colour edged in black so it shows over either part.
void drawGauge(const WaterGauge& gauge, const GuiColour& text, bool highContrast) {
  fillRectangle(kLeft - kRim, kBarTop - kRim, kBarWidth + 2.0f * kRim, kBarHeight + 2.0f * kRim,
                highContrast ? kBlack : kShade);
  fillRectangle(kLeft, kBarTop, kBarWidth * gauge.kept, kBarHeight, highContrast ? kWhite : kWater);
  const float mark = kLeft + kBarWidth * gauge.needed;
  fillRectangle(mark - 2.0f, kBarTop - kMarkReach, 4.0f, kBarHeight + 2.0f * kMarkReach, kBlack);
  fillRectangle(mark - 1.0f, kBarTop - kMarkReach + 1.0f, 2.0f,
                kBarHeight + 2.0f * kMarkReach - 2.0f, highContrast ? kWhite : text);
}

// Scaled evenly with the window, so a wide window neither stretches the text nor the bar.
void setupLayout() {
  gl_state::setup2DProjection();
  const float width = float(window::clientWidth()), height = float(window::clientHeight());
  const float scale = std::min(width / kLayoutWidth, height / kLayoutHeight);
  glScalef(scale, scale, 1.0f);
}

}  // namespace

void draw() {
  const std::optional<Frame>& frame = shownFrame();
  if (!frame) return;
  gl_state::pushAllState();
  setupLayout();
  const bool highContrast = highContrastText();
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  fillRectangle(kPlateLeft, kPlateTop, kPlateWidth, kPlateHeight,
                highContrast ? kHighContrastPlate : kPlate);
  drawGauge(frame->gauge, frame->style.colour, highContrast);
  drawStyledText(frame->style, frame->timeText, kLeft, kTimeTop);
  TextStyle count = frame->style;
  count.size = kCountSize;
  drawStyledText(count, frame->waterText, kLeft, kCountTop);
  gl_state::popAllState();
}

}  // namespace hud
