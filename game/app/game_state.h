#pragma once
// The game's process-wide state, shared by the files that make up the Game object (the
// loop, the drawing, the console entries). Nothing outside game/core/game*.cpp includes it.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "game/gui/gui_screen.h"
#include "game/platform/frame_timer.h"
#include "game/platform/sound_instance.h"
#include "game/platform/texture_handle.h"
#include "game/world/screen_flow.h"

namespace game_state {

// How far the free view zooms in and out.
inline constexpr float kFreeCameraZoomLow = 0.01f;
inline constexpr float kFreeCameraZoomHigh = 100.0f;

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
  bool replayRequested = false;
  bool showGameSpeeds = false;
  bool showDrawSpeeds = false;
  bool showSimSpeeds = false;
  bool freeCamera = false;
  float freeCameraX = 0.0f;
  float freeCameraY = 0.0f;
  float freeCameraZoom = 1.0f;
  bool freeCameraReadout = true;  // the free view's centre cross and its coordinates
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
  FrameTimer frameClock;
  MeanBlock<float, 16> frameTimes;
  MeanBlock<double, 32> simulationCosts;
  MeanBlock<double, 32> drawingCosts;
  // One screen per menu id (none for play), made at the first level start of a game run.
  std::array<std::unique_ptr<GuiScreen>, screen_flow::kMenuCount> menus;
  std::unique_ptr<sound::SoundInstance> menuBackgroundSound;
};

State& state();

// Makes the ten menus and their background sound unless they exist, and shows each menu as
// it becomes current.
void createMenus();
// Lets the menus and their background sound go at the end of a game run.
void destroyMenus();
// The current menu's screen; nullptr during play.
GuiScreen* currentScreen();

// Registers and removes the entries "ShowGameSpeeds" … "Map".
void registerConsoleEntries();
// Removes the entries a level registered; "Version" and "Map" stay.
void removeConsoleEntries();

// The performance counter's low 32 bits, as the speed displays count them.
uint32_t counterLow();

}  // namespace game_state
