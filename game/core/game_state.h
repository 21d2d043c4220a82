#pragma once
// The game's process-wide state, shared by the files that make up the Game object (the
// loop, the drawing, the console entries). Nothing outside game/core/game*.cpp includes it.

#include <cstdint>
#include <memory>
#include <string>

#include "game/platform/texture_handle.h"

namespace game_state {

// The frame timer on the run-time millisecond clock.
struct FrameClock {
  uint32_t lastReading = 0;
  uint32_t lastDifference = 0;
  float seconds = 0.0f;

  void reset();
  // Seconds since the previous update, never below 1e-8 so rates stay finite.
  void update();
};

// A running mean over blocks of `size` samples; `complete` tells when a block has closed.
template <typename T, int32_t size>
struct MeanBlock {
  T sum = 0;
  int32_t count = 0;
  T lastMean = 0;

  bool add(T sample) {
    sum += sample;
    if (++count < size) return false;
    lastMean = sum / size;
    sum = 0;
    count = 0;
    return true;
  }
};

struct State {
  bool running = false;
  bool paused = false;
  bool consoleOpen = false;
  bool quitRequested = false;
  bool loadRequested = false;
  bool restartRequested = false;
  bool showGameSpeeds = false;
  bool showDrawSpeeds = false;
  bool showSimSpeeds = false;
  bool freeCamera = false;
  float freeCameraX = 0.0f;
  float freeCameraY = 0.0f;
  float freeCameraZoom = 1.0f;
  float frameTime = 0.0f;
  float tickAccumulator = 0.0f;
  float backgroundRed = 0.0f;
  float backgroundGreen = 0.0f;
  float backgroundBlue = 0.0f;
  std::unique_ptr<TextureHandle> cursorSprite;
  std::unique_ptr<TextureHandle> font;
  std::string currentMap;
  std::string nextMap;
  std::string musicName;
  FrameClock frameClock;
  MeanBlock<float, 16> frameTimes;
  MeanBlock<double, 32> simulationCosts;
  MeanBlock<double, 32> drawingCosts;
};

State& state();

// No menu exists yet: play starts as soon as the camera's opening move ends.
constexpr bool kMenuOpen = false;

// Registers and removes the entries "ShowGameSpeeds" … "Map".
void registerConsoleEntries();
// Removes the entries a level registered; "Version" and "Map" stay.
void removeConsoleEntries();

// The performance counter's low 32 bits, as the speed displays count them.
uint32_t counterLow();

}  // namespace game_state
