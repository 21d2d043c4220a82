#pragma once
// What the game's own settings file (cfg\game.cfg) sets for a game run: the colour behind
// the level, the level music's name, the game's pointer and the font of its screen texts.

#include <string>

#include "game/platform/texture_handle.h"

namespace game_config {

// Reads the file as a level starts; the pointer and the font are loaded once per game run.
void read();
// Lets the pointer and the font go at the end of a game run.
void release();

struct Colour {
  float red = 0.0f;
  float green = 0.0f;
  float blue = 0.0f;
};
Colour background();
const std::string& musicName();
// nullptr before the first level start of a game run, as after its end.
const TextureHandle* pointer();
const TextureHandle* font();

// Nothing read, as the process began (for tests, which run many games in one process).
void reset();

}  // namespace game_config
