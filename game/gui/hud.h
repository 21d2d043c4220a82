#pragma once
// The heads-up display during play: the level time and a small water gauge in the view's
// top-left corner, laid out for an 800 x 600 window and scaled evenly with it. The camera
// keeps the water near the middle of the view, so the corner stays clear of it. It shows
// while "HudDraw" is on and no menu is open; the update prepares it once a frame, the
// drawing only draws.

#include <cstdint>
#include <optional>
#include <string>

#include "game/gui/gui_draw.h"

namespace hud {

// The gauge's bar stands for the water a level starts with; both shares are of it, 0 to 1.
struct WaterGauge {
  float kept = 0.0f;    // the free water and ice there is
  float needed = 0.0f;  // what has to be in the end area at once to win
};

// One frame's display.
struct Frame {
  TextStyle style;  // the menus' text look, with their font
  WaterGauge gauge;
  std::string waterText;  // the water kept out of the water a level starts with
  std::string timeText;   // the level time, as the level-result screen writes it
};

// This frame's display, or none while it is switched off or a menu is open; the menus' font
// is loaded the first time it shows.
void update();
const std::optional<Frame>& shownFrame();
// Over the level, under the menus; its projection is its own and is put back after.
void draw();
// Lets the font go at the end of a game run.
void release();

}  // namespace hud
