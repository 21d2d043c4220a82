#include "game/app/game_console.h"

#include <array>

#include "game/app/game.h"
#include "game/app/startup_settings.h"
#include "game/console/console.h"
#include "game/world/camera.h"

namespace {

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
  if (set) Game::setPaused(value);
  return Game::isPaused();
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

// A zoom and a shake belong in a replay: the view decides which water is kept, and the shake
// draws from the random source the water draws from.
const std::array<console::NamedCommand, 5> kLevelEntries = {{
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

namespace game_console {

void registerConsoleEntries() {
  console::addCommands(kLevelEntries);
  console::addCommands(kLastingEntries);
}

void removeConsoleEntries() {
  console::removeCommands(kLevelEntries);
}

}  // namespace game_console
