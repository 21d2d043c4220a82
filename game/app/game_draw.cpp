// The frame's picture: the world under the camera (or the free view), then the screen
// overlays.

#include <GL/gl.h>

#include "game/app/automation_commands.h"
#include "game/app/free_view.h"
#include "game/app/game.h"
#include "game/app/game_config.h"
#include "game/app/game_menus.h"
#include "game/app/speed_display.h"
#include "game/console/console_draw.h"
#include "game/entities/checkpoint_times_draw.h"
#include "game/gui/gui_draw.h"
#include "game/gui/hud.h"
#include "game/gui/level_completion_draw.h"
#include "game/platform/font_text.h"
#include "game/platform/gl_state.h"
#include "game/platform/window.h"
#include "game/simulation/player_settings.h"
#include "game/simulation/world_draw.h"
#include "game/water/particle_renderer.h"
#include "game/world/camera_draw.h"
#include "game/world/level_record.h"

namespace {

// "Paused" with a drop shadow (an outline in high contrast), on the 800 x 600 screen the
// completion overlay set up.
void drawPausedText() {
  const TextureHandle* font = game_config::font();
  if (!Game::isPaused() || free_view::isOn() || !font) return;
  if (!highContrastText())
    drawTextCentered(*font, "Paused", 2, 2, 800, 600, 32, 0.0f, 0.0f, 0.0f, 1.0f);
  drawTextCentered(*font, "Paused", 0, 0, 800, 600, 32, 1.0f, 1.0f, 1.0f, 1.0f);
}

// The game's own pointer over the menus, with a shadow.
void drawPointer() {
  const TextureHandle* pointer = game_config::pointer();
  if (!pointer) return;
  gl_state::setup2DProjection();
  const TextureHandle& sprite = *pointer;
  const float x = float(window::cursorX()), y = float(window::cursorY());
  const float w = float(sprite.width()), h = float(sprite.height());
  drawSprite(sprite, x + 2.0f, y + 2.0f, w, h, GuiColour{0.0f, 0.0f, 0.0f, 1.0f});
  drawSprite(sprite, x, y, w, h, GuiColour{});
}

// The current menu over everything but the console, and the pointer over it.
void drawMenu() {
  GuiScreen* screen = game_menus::currentScreen();
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

}  // namespace

void Game::draw() {
  const uint32_t start = speed_display::drawingStart();
  applyPalette();
  gl_state::setup2DProjection();
  const game_config::Colour background = game_config::background();
  gl_state::clearScreen(background.red, background.green, background.blue);
  glEnable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
  if (free_view::isOn())
    free_view::apply();
  else
    camera::applyTransform();
  const bool finishOver = level_record::isFinishOver();
  if (!finishOver) world_draw::drawWorld();
  if (free_view::isOn() && !finishOver) free_view::drawMarks();
  level_completion::drawOverlay();
  drawPausedText();
  checkpoint_times::draw();
  hud::draw();
  drawMenu();
  speed_display::countDrawingCost(start);
  if (Game::isConsoleOpen()) console::drawConsole();
  automation::takeRequestedScreenshots();
  window::swapBuffers();
}
