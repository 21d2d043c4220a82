#include "game/app/game.h"

#include <SDL_timer.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "common/config_file.h"
#include "common/random.h"
#include "game/app/game_state.h"
#include "game/console/console.h"
#include "game/console/console_script.h"
#include "game/gui/level_completion_draw.h"
#include "game/gui/splash_screen.h"
#include "game/level/level_data.h"
#include "game/level/level_name.h"
#include "game/platform/font_text.h"
#include "game/platform/key_bindings.h"
#include "game/platform/music.h"
#include "game/platform/virtual_keys.h"
#include "game/simulation/level_completion.h"
#include "game/simulation/level_loading.h"
#include "game/simulation/player_settings.h"
#include "game/simulation/run_playback.h"
#include "game/simulation/run_recording.h"
#include "game/simulation/simulation.h"
#include "game/water/particle_renderer.h"
#include "game/world/screen_flow.h"

using game_state::state;

namespace game_state {

State& state() {
  static State instance;
  return instance;
}

uint32_t counterLow() {
  return static_cast<uint32_t>(SDL_GetPerformanceCounter());
}

}  // namespace game_state

namespace {

// Ticks are skipped until this much time has gathered, so at more than 100 frames per
// second some frames draw without simulating.
constexpr float kShortestTick = 0.01f;
constexpr float kFreeCameraSpeed = 500.0f;
constexpr float kFreeCameraZoomRate = 5.0f;

void readGameConfig() {
  game_state::State& s = state();
  const ConfigFile file(level_completion::kGameConfigPath);
  s.backgroundRed = file.getFloat("background_r");
  s.backgroundGreen = file.getFloat("background_g");
  s.backgroundBlue = file.getFloat("background_b");
  s.musicName = file.getString("music");
  if (!s.cursorSprite)
    s.cursorSprite = std::make_unique<TextureHandle>(file.getString("cursor"), "DEFAULT_SPRITE");
  if (!s.font) s.font = std::make_unique<TextureHandle>(file.getString("font"), "DEFAULT_FONT");
}

void resetDebugViews() {
  game_state::State& s = state();
  s.showGameSpeeds = s.showDrawSpeeds = s.showSimSpeeds = s.freeCamera = false;
  s.freeCameraX = s.freeCameraY = 0.0f;
  s.freeCameraZoom = 1.0f;
}

void updateFrameTime() {
  game_state::State& s = state();
  if (!s.frameTimes.add(s.frameClock.tick())) return;
  s.frameTime = s.frameTimes.lastMean;
  if (s.showGameSpeeds && s.frameTime > 0.0f) {
    console::print("\nGame - fps: ");
    console::print(1.0f / s.frameTime);
  }
}

// The step's cost joins the speed display's 32-sample mean.
void countSimulationCost(const simulation::TickReport& report) {
  game_state::State& s = state();
  if (!report.stepped) return;
  if (s.simulationCosts.add(report.stepCost) && s.showSimSpeeds) {
    console::print("\nSimulation - clock tics: ");
    console::print(static_cast<uint32_t>(s.simulationCosts.lastMean));
  }
}

void moveFreeCamera() {
  game_state::State& s = state();
  const float step = kFreeCameraSpeed / s.freeCameraZoom * s.frameTime;
  if (window::isKeyDown(vk::kUp)) s.freeCameraY -= step;
  if (window::isKeyDown(vk::kDown)) s.freeCameraY += step;
  if (window::isKeyDown(vk::kLeft)) s.freeCameraX -= step;
  if (window::isKeyDown(vk::kRight)) s.freeCameraX += step;
  const float zoomFactor = 1.0f + kFreeCameraZoomRate * s.frameTime;
  if (window::isKeyDown(vk::kPageUp)) s.freeCameraZoom *= zoomFactor;
  if (window::isKeyDown(vk::kPageDown)) s.freeCameraZoom /= zoomFactor;
  s.freeCameraZoom =
      std::clamp(s.freeCameraZoom, game_state::kFreeCameraZoomLow, game_state::kFreeCameraZoomHigh);
}

// One tick's work, when enough time has gathered: the world's own tick, which the headless
// simulator runs too, then the free view, which only the window has.
// The way back from watching a run: into play, on a fresh start of the level. The run's
// finish may have opened the level's result, which must not count the run a second time.
void endPlayback() {
  run_playback::stop();
  Game::setMenu(screen_flow::kPlay);
  Game::requestRestart();
}

// A tick while a run is watched: the replay's next tick, unless paused.
void playbackTick() {
  game_state::State& s = state();
  if (!s.paused && !screen_flow::isMenuOpen()) {
    countSimulationCost(run_playback::playTick());
    if (!run_playback::isPlaying()) endPlayback();
  }
  s.tickAccumulator = 0.0f;
}

void tick() {
  game_state::State& s = state();
  if (run_playback::isPlaying()) return playbackTick();
  const simulation::TickControls controls{s.paused, !s.freeCamera && !s.consoleOpen};
  const bool menuOpen = screen_flow::isMenuOpen();
  s.tickAccumulator = std::min(s.tickAccumulator, simulation::kLongestTick);
  const simulation::TickReport report = simulation::tick(s.tickAccumulator, controls);
  run_recording::tickDone(s.tickAccumulator, controls, report, menuOpen);
  countSimulationCost(report);
  if (!screen_flow::isMenuOpen() && s.freeCamera && !s.consoleOpen) moveFreeCamera();
  s.tickAccumulator = 0.0f;
}

// The music stops where it was and goes on from there.
void togglePause() {
  game_state::State& s = state();
  if (s.paused)
    music::resumeMusic();
  else
    music::pauseMusic();
  s.paused = !s.paused;
}

// Escape opens the in-game menu; the pause keys pause and resume; the restart keys ask
// first, as the in-game menu's restart button does.
void playKey(int32_t virtualKey) {
  if (virtualKey == vk::kEscape) {
    Game::setMenu(screen_flow::kInGameMenu);
  } else if (key_bindings::isBound(key_bindings::kPause, virtualKey)) {
    togglePause();
  } else if (key_bindings::isBound(key_bindings::kRestart, virtualKey)) {
    Game::setMenu(screen_flow::kRestartMenu);
  }
}

// While a run is watched only Escape (which ends it) and the pause keys count.
void playbackKey(int32_t virtualKey) {
  if (virtualKey == vk::kEscape)
    endPlayback();
  else if (key_bindings::isBound(key_bindings::kPause, virtualKey))
    togglePause();
}

// Escape leaves a menu: the main menu asks whether to quit, the level result waits for its
// continue button, every other menu goes back. Other keys are the menu's own.
void menuKey(GuiScreen& screen, int32_t virtualKey) {
  if (virtualKey != vk::kEscape) {
    screen.onKeyDown(virtualKey);
    return;
  }
  switch (screen_flow::currentMenu()) {
    case screen_flow::kMainMenu: Game::setMenu(screen_flow::kQuitGameMenu); break;
    case screen_flow::kLevelFinishedMenu: break;
    default: screen_flow::back(); break;
  }
}

// A controller's Start opens the in-game menu from play and closes it again, ends the
// watching of a run, and elsewhere presses the chosen button; Back pauses play and goes back
// in a menu. The console ignores both.
void controllerButton(int32_t virtualKey) {
  const bool start = virtualKey == vk::kControllerStart;
  if (state().consoleOpen) return;
  if (run_playback::isPlaying()) {
    start ? endPlayback() : togglePause();
  } else if (GuiScreen* screen = game_state::currentScreen()) {
    const bool inGameMenu = screen_flow::currentMenu() == screen_flow::kInGameMenu;
    if (start && inGameMenu) screen_flow::back();
    if (start && !inGameMenu) screen->onKeyDown(vk::kReturn);
    if (!start) menuKey(*screen, vk::kEscape);
  } else {
    start ? Game::setMenu(screen_flow::kInGameMenu) : togglePause();
  }
}

// The loaded level's start: its debug views off, its console entries, its managers, its water.
void startLoadedLevel(std::string_view map) {
  game_state::State& s = state();
  s.currentMap = std::string(map);
  resetDebugViews();
  s.tickAccumulator = kShortestTick;
  game_state::registerConsoleEntries();
  console::printHeading("Game initialisation");
  simulation::beginLevel(particle_renderer::initialise);
  s.frameClock.restart();
}

// The current level begun afresh as its last run began, then played from its replay.
void watchLastRun() {
  game_state::State& s = state();
  s.replayRequested = false;
  std::string error;
  std::optional<replay::Replay> replay = run_playback::lastRunOf(s.currentMap, error);
  if (!replay) {
    console::print("\n" + error);
    return;
  }
  run_recording::endRun();
  run_playback::start(std::move(*replay));
  if (!level::loadLevel(s.currentMap)) {
    run_playback::stop();
    return;
  }
  startLoadedLevel(s.currentMap);
  s.paused = false;
  Game::setMenu(screen_flow::kPlay);
}

}  // namespace

void Game::run(std::string_view map) {
  game_state::State& s = state();
  if (!window::isWindowOpen() || s.running) return;
  level::loadSurfaces();
  initialise(map);
  Game listener;
  window::GLWindowEventListener* previous = window::getEventListener();
  window::setEventListener(&listener);
  s.frameClock.restart();
  while (window::isWindowOpen() && s.running) {
    window::pumpMessages();
    console_script::advanceFrame();
    frame();
    if (window::isMinimized()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  window::setEventListener(previous);
  shutdown();
}

void Game::initialise(std::string_view map) {
  game_state::State& s = state();
  s.running = true;
  s.quitRequested = s.loadRequested = s.restartRequested = false;
  // The loading screen comes before the first frame, which sets the palette from then on.
  setHighContrastText(player_settings::highContrast());
  splash_screen::startSplash(readableLevelName(map));
  game_state::createMenus();
  Game::setMenu(screen_flow::kMainMenu);
  readGameConfig();
  run_playback::stop();
  const uint64_t seed = rng::position();
  if (level::loadLevel(map)) {
    startLoadedLevel(map);
    run_recording::runBegun(map, seed);
  }
  splash_screen::stopSplash();
}

void Game::shutdown() {
  game_state::State& s = state();
  console::printHeading("Game shutdown");
  run_recording::endRun();
  run_playback::stop();
  game_state::removeConsoleEntries();
  simulation::endLevel();
  particle_renderer::shutdown();
  game_state::destroyMenus();
  level_completion::releaseOverlay();
  s.running = false;
  s.cursorSprite.reset();
  s.font.reset();
}

void Game::frame() {
  game_state::State& s = state();
  updateFrameTime();
  if (window::isCursorInClient()) window::setCursorMode(0);
  s.tickAccumulator += s.frameTime;
  if (s.tickAccumulator >= kShortestTick) tick();
  if (!window::isMinimized()) {
    update();
    draw();
  }
  if (s.quitRequested) {
    s.running = false;
  } else if (s.loadRequested) {
    initialise(s.nextMap);
  } else if (s.restartRequested) {
    restartLevel();
  } else if (s.replayRequested) {
    watchLastRun();
  }
}

void Game::update() {
  level_completion::updateOverlay();
  if (GuiScreen* screen = game_state::currentScreen()) screen->update();
}

void Game::restartLevel() {
  game_state::State& s = state();
  s.running = true;
  s.quitRequested = s.loadRequested = s.restartRequested = false;
  resetDebugViews();
  run_playback::stop();
  run_recording::runBegun(s.currentMap, rng::position());
  simulation::restartLevel();
}

void Game::requestReplay() {
  state().replayRequested = true;
}

void Game::requestQuit() {
  state().quitRequested = true;
}

void Game::requestLoad(std::string_view map) {
  state().loadRequested = true;
  state().nextMap = std::string(map);
}

void Game::requestRestart() {
  state().restartRequested = true;
}

bool Game::isRunning() {
  return state().running;
}
bool Game::isQuitRequested() {
  return state().quitRequested;
}
bool Game::isPaused() {
  return state().paused;
}
bool Game::isConsoleOpen() {
  return state().consoleOpen;
}
bool Game::isFreeCamera() {
  return state().freeCamera;
}
float Game::frameTime() {
  return state().frameTime;
}
const std::string& Game::musicName() {
  return state().musicName;
}
const std::string& Game::currentMap() {
  return state().currentMap;
}

// The pointer and the key releases are the current menu's; play has no use for them.
void Game::onMouseMove(int32_t x, int32_t y) {
  if (GuiScreen* screen = game_state::currentScreen()) screen->onMouseMove(x, y);
}
void Game::onMouseDown(int32_t x, int32_t y, int32_t button) {
  if (GuiScreen* screen = game_state::currentScreen()) screen->onMouseDown(x, y, button);
}
void Game::onMouseUp(int32_t x, int32_t y, int32_t button) {
  if (GuiScreen* screen = game_state::currentScreen()) screen->onMouseUp(x, y, button);
}
void Game::onKeyUp(int32_t virtualKey) {
  if (GuiScreen* screen = game_state::currentScreen()) screen->onKeyUp(virtualKey);
}

void Game::onKeyDown(int32_t virtualKey) {
  game_state::State& s = state();
  if (virtualKey == vk::kControllerStart || virtualKey == vk::kControllerBack) {
    controllerButton(virtualKey);
  } else if (run_playback::isPlaying()) {
    playbackKey(virtualKey);
  } else if (s.consoleOpen) {
    if (key_bindings::isBound(key_bindings::kConsole, virtualKey))
      s.consoleOpen = false;
    else
      console::consoleKey(virtualKey);
  } else if (key_bindings::isBound(key_bindings::kConsole, virtualKey)) {
    s.consoleOpen = true;
  } else if (GuiScreen* screen = game_state::currentScreen()) {
    menuKey(*screen, virtualKey);
  } else {
    playKey(virtualKey);
  }
}

void Game::onClose() {
  window::destroyWindow();
}

void Game::onFocusLost() {
  if (state().paused || screen_flow::isMenuOpen()) return;
  state().paused = true;
  music::pauseMusic();
}

void Game::onControllerRemoved() {
  onFocusLost();
}
