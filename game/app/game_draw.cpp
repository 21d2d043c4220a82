// The frame's picture: the world under the camera (or the free view), then the screen
// overlays.

#include <GL/gl.h>

#include <cmath>
#include <cstdio>

#include "game/app/automation_commands.h"
#include "game/app/game.h"
#include "game/app/game_state.h"
#include "game/console/console.h"
#include "game/console/console_draw.h"
#include "game/entities/checkpoint_times_draw.h"
#include "game/gui/gui_draw.h"
#include "game/gui/level_completion_draw.h"
#include "game/platform/font_text.h"
#include "game/platform/gl_state.h"
#include "game/platform/window.h"
#include "game/simulation/level_completion.h"
#include "game/simulation/player_settings.h"
#include "game/simulation/world_draw.h"
#include "game/water/particle_renderer.h"
#include "game/world/camera.h"
#include "game/world/camera_draw.h"
#include "game/world/level_record.h"

using game_state::state;

namespace {

constexpr float kDegreesToRadians = 0.017453292f;

void applyFreeView() {
  const game_state::State& s = state();
  const float viewWidth = camera::viewWidth();
  const float viewHeight = camera::viewHeight();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glScalef(static_cast<float>(window::clientWidth()) / viewWidth,
           static_cast<float>(window::clientHeight()) / viewHeight, 0.0f);
  glTranslatef(viewWidth * 0.5f, viewHeight * 0.5f, 0.0f);
  glScalef(s.freeCameraZoom, s.freeCameraZoom, 0.0f);
  glTranslatef(-s.freeCameraX, -s.freeCameraY, 0.0f);
}

// The free view's centre as a small cross, and its coordinates beside it.
void drawFreeViewReadout() {
  const game_state::State& s = state();
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  const float arm = 4.0f / s.freeCameraZoom;
  glBegin(GL_LINES);
  glVertex2f(s.freeCameraX - arm, s.freeCameraY);
  glVertex2f(s.freeCameraX + arm, s.freeCameraY);
  glVertex2f(s.freeCameraX, s.freeCameraY - arm);
  glVertex2f(s.freeCameraX, s.freeCameraY + arm);
  glEnd();

  const TextureHandle* font = console::fontTexture();
  if (!font) return;
  char readout[64];
  std::snprintf(readout, sizeof readout, "%1f , %2f", s.freeCameraX, s.freeCameraY);
  drawText(*font, readout, s.freeCameraX, s.freeCameraY + 16.0f / s.freeCameraZoom,
           8.0f / s.freeCameraZoom, 1.0f, 1.0f, 1.0f, 1.0f);
}

// The free view's marks: the player camera's view as a green box, and the readout unless it
// is switched off (pictures of whole levels want the box alone).
void drawFreeViewMarks() {
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  const float halfWidth = camera::viewWidth() * camera::zoom() / 2.0f;
  const float halfHeight = camera::viewHeight() * camera::zoom() / 2.0f;
  const float a = camera::angle() * kDegreesToRadians;
  const Vec2 centre = camera::position() + camera::shakeOffset();
  const float corners[4][2] = {{-halfWidth, -halfHeight},
                               {halfWidth, -halfHeight},
                               {halfWidth, halfHeight},
                               {-halfWidth, halfHeight}};
  glColor4f(0.0f, 1.0f, 0.0f, 1.0f);
  glBegin(GL_LINES);
  for (int i = 0; i < 4; ++i) {
    for (int end = 0; end < 2; ++end) {
      const float* c = corners[(i + end) % 4];
      glVertex2f(centre.x + c[0] * std::cos(a) - c[1] * std::sin(a),
                 centre.y + c[0] * std::sin(a) + c[1] * std::cos(a));
    }
  }
  glEnd();
  if (state().freeCameraReadout) drawFreeViewReadout();
}

// "Paused" with a drop shadow (an outline in high contrast), on the 800 x 600 screen the
// completion overlay set up.
void drawPausedText() {
  const game_state::State& s = state();
  if (!s.paused || s.freeCamera || !s.font) return;
  if (!highContrastText())
    drawTextCentered(*s.font, "Paused", 2, 2, 800, 600, 32, 0.0f, 0.0f, 0.0f, 1.0f);
  drawTextCentered(*s.font, "Paused", 0, 0, 800, 600, 32, 1.0f, 1.0f, 1.0f, 1.0f);
}

// The game's own pointer over the menus, with a shadow.
void drawPointer() {
  const game_state::State& s = state();
  if (!s.cursorSprite) return;
  gl_state::setup2DProjection();
  const TextureHandle& sprite = *s.cursorSprite;
  const float x = float(window::cursorX()), y = float(window::cursorY());
  const float w = float(sprite.width()), h = float(sprite.height());
  drawSprite(sprite, x + 2.0f, y + 2.0f, w, h, GuiColour{0.0f, 0.0f, 0.0f, 1.0f});
  drawSprite(sprite, x, y, w, h, GuiColour{});
}

// The current menu over everything but the console, and the pointer over it.
void drawMenu() {
  GuiScreen* screen = game_state::currentScreen();
  if (!screen) return;
  screen->onPaint();
  drawPointer();
}

// The console can switch the palette at any moment; each frame takes the setting afresh.
void applyPalette() {
  const bool high = player_settings::highContrast();
  particle_renderer::setHighContrast(high);
  setHighContrastText(high);
}

void countDrawingCost(uint32_t before) {
  game_state::State& s = state();
  const uint32_t cost = game_state::counterLow() - before;
  if (s.drawingCosts.add(cost) && s.showDrawSpeeds) {
    console::print("\nDrawing - clock tics: ");
    console::print(static_cast<uint32_t>(s.drawingCosts.lastMean));
  }
}

}  // namespace

void Game::draw() {
  const game_state::State& s = state();
  const uint32_t before = game_state::counterLow();
  applyPalette();
  gl_state::setup2DProjection();
  gl_state::clearScreen(s.backgroundRed, s.backgroundGreen, s.backgroundBlue);
  glEnable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
  if (s.freeCamera)
    applyFreeView();
  else
    camera::applyTransform();
  const bool finishOver = level_record::isFinishOver();
  if (!finishOver) world_draw::drawWorld();
  if (s.freeCamera && !finishOver) drawFreeViewMarks();
  level_completion::drawOverlay();
  drawPausedText();
  checkpoint_times::draw();
  drawMenu();
  countDrawingCost(before);
  if (s.consoleOpen) console::drawConsole();
  automation::takeRequestedScreenshots();
  window::swapBuffers();
}
