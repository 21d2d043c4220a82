#pragma once
// A level's life without a window: its start, the order of the work in one tick, its restart
// and its end. The headless simulator drives it, and so does the game's main loop, so both
// run the world alike.

#include <cstdint>
#include <string_view>

namespace simulation {

// One simulation step covers at most this many seconds: a frame rate below 30 slows the game
// down instead of letting particles jump through walls.
constexpr float kLongestStep = 0.033333335f;
// The disc of water every level starts with, around the level's water start.
constexpr float kStartWaterRadius = 10.0f;
constexpr int32_t kStartWaterAmount = 128;

// Reads the surfaces, loads the level and brings its water and camera up; false, with the
// previous level untouched, when the level file was refused.
bool startLevel(std::string_view mapPath);
// One step of the world's stages (movers, water, triggers) over `t` seconds, at most
// kLongestStep of them.
void step(float t);
// One tick of `t` seconds: a step of the world unless the camera's opening move still runs,
// the water sounds, then the camera with the whole of `t`.
void tick(float t, bool inputEnabled);
// Puts the running level, its water and its camera back to their start.
void restartLevel();
// Takes the level and its water down.
void endLevel();

}  // namespace simulation
