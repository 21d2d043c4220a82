// The console entries a running game offers.

#include <algorithm>
#include <array>

#include "game/app/game.h"
#include "game/app/game_state.h"
#include "game/app/startup_settings.h"
#include "game/console/console.h"
#include "game/platform/music.h"
#include "game/world/camera.h"

using game_state::state;

namespace {

bool showGameSpeeds(bool value, bool set) {
  return console::variableValue(state().showGameSpeeds, value, set);
}
bool showDrawSpeeds(bool value, bool set) {
  return console::variableValue(state().showDrawSpeeds, value, set);
}
bool showSimSpeeds(bool value, bool set) {
  return console::variableValue(state().showSimSpeeds, value, set);
}
bool freeCamera(bool value, bool set) {
  return console::variableValue(state().freeCamera, value, set);
}
// Where the free view looks and how far it is zoomed, so a script can frame a whole level.
float freeCameraX(float value, bool set) {
  return console::variableValue(state().freeCameraX, value, set);
}
float freeCameraY(float value, bool set) {
  return console::variableValue(state().freeCameraY, value, set);
}
bool freeCameraReadout(bool value, bool set) {
  return console::variableValue(state().freeCameraReadout, value, set);
}
float freeCameraZoom(float value, bool set) {
  using game_state::kFreeCameraZoomHigh, game_state::kFreeCameraZoomLow;
  const float zoom = set ? std::clamp(value, kFreeCameraZoomLow, kFreeCameraZoomHigh) : value;
  return console::variableValue(state().freeCameraZoom, zoom, set);
}

void zoomCamera() {
  camera::startZoom();
}
void shakeCamera() {
  camera::startShake();
}
void restart() {
  Game::requestRestart();
}
void replayLast() {
  Game::requestReplay();
}

// Only a change of state counts: pausing a paused game changes nothing.
bool pause(bool value, bool set) {
  game_state::State& s = state();
  if (set && value != s.paused) {
    s.paused = value;
    if (value)
      music::pauseMusic();
    else
      music::resumeMusic();
  }
  return s.paused;
}

std::string version() {
  return std::string(kVersionText);
}

void map(const std::string& path) {
  if (path.empty()) {
    console::print("\nMap is ");
    console::print(Game::currentMap());
  } else if (!Game::isRunning()) {
    Game::run(path);
  } else {
    Game::requestLoad(path);
  }
}

// Removed when the game shuts down; "Version" and "Map" stay for the next run. A zoom and a
// shake belong in a replay: the view decides which water is kept, and the shake draws from the
// random source the water draws from.
const std::array<console::NamedCommand, 13> kLevelEntries = {{
    {"ShowGameSpeeds", showGameSpeeds},
    {"ShowDrawSpeeds", showDrawSpeeds},
    {"ShowSimSpeeds", showSimSpeeds},
    {"FreeCamera", freeCamera},
    {"FreeCameraX", freeCameraX},
    {"FreeCameraY", freeCameraY},
    {"FreeCameraZoom", freeCameraZoom},
    {"FreeCameraReadout", freeCameraReadout},
    {"ZoomCamera", zoomCamera, console::InReplay::kPlayed},
    {"ShakeCamera", shakeCamera, console::InReplay::kPlayed},
    {"Restart", restart},
    {"ReplayLast", replayLast},
    {"Pause", pause},
}};

const std::array<console::NamedCommand, 2> kLastingEntries = {{
    {"Version", version},
    {"Map", map},
}};

}  // namespace

namespace game_state {

void registerConsoleEntries() {
  console::addCommands(kLevelEntries);
  console::addCommands(kLastingEntries);
}

void removeConsoleEntries() {
  console::removeCommands(kLevelEntries);
}

}  // namespace game_state
