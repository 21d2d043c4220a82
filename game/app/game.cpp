#include "game/app/game.h"

#include <chrono>
#include <thread>

#include "common/random.h"
#include "game/app/frame_clock.h"
#include "game/app/free_view.h"
#include "game/app/game_config.h"
#include "game/app/game_console.h"
#include "game/app/game_menus.h"
#include "game/app/speed_display.h"
#include "game/console/console.h"
#include "game/console/console_script.h"
#include "game/entities/checkpoint_times.h"
#include "game/gui/hud.h"
#include "game/gui/level_completion_draw.h"
#include "game/gui/splash_screen.h"
#include "game/level/level_data.h"
#include "game/level/level_name.h"
#include "game/platform/font_text.h"
#include "game/platform/key_bindings.h"
#include "game/platform/music.h"
#include "game/platform/virtual_keys.h"
#include "game/simulation/level_loading.h"
#include "game/simulation/player_settings.h"
#include "game/simulation/run_playback.h"
#include "game/simulation/run_recording.h"
#include "game/simulation/simulation.h"
#include "game/water/particle_renderer.h"
#include "game/world/screen_flow.h"

namespace {

// The run's own flags and the requests that act at the end of the frame.
struct Run {
  bool running = false;
  bool paused = false;
  bool consoleOpen = false;
  bool quitRequested = false;
  bool loadRequested = false;
  bool restartRequested = false;
  bool replayRequested = false;
  std::string currentMap;
  std::string nextMap;
};

Run& gameRun() {
  static Run instance;
  return instance;
}

// The views a developer switches on last only as long as their level.
void resetDebugViews() {
  speed_display::hideAll();
  free_view::leave();
}

void updateFrameTime() {
  if (frame_clock::measureFrame()) speed_display::frameTimed(frame_clock::frameTime());
}

// The way back from watching a run: into play, on a fresh start of the level. The run's
// finish may have opened the level's result, which must not count the run a second time.
void endPlayback() {
  run_playback::stop();
  Game::setMenu(screen_flow::kPlay);
  Game::requestRestart();
}

// A tick while a run is watched: the replay's next tick, unless paused.
void playbackTick() {
  if (!gameRun().paused && !screen_flow::isMenuOpen()) {
    speed_display::countSimulationCost(run_playback::playTick());
    if (!run_playback::isPlaying()) endPlayback();
  }
  frame_clock::takeGathered();  // the replay's ticks keep the lengths they were played at
}

// One tick's work, when enough time has gathered: the world's own tick, which the headless
// simulator runs too, then the free view, which only the window has.
void tick() {
  const Run& r = gameRun();
  if (run_playback::isPlaying()) return playbackTick();
  const simulation::TickControls controls{r.paused, !free_view::isOn() && !r.consoleOpen};
  const bool menuOpen = screen_flow::isMenuOpen();
  const float seconds = frame_clock::takeGathered();
  const simulation::TickReport report = simulation::tick(seconds, controls);
  run_recording::tickDone(seconds, controls, report, menuOpen);
  speed_display::countSimulationCost(report);
  if (!screen_flow::isMenuOpen() && free_view::isOn() && !r.consoleOpen)
    free_view::move(frame_clock::frameTime());
}

void togglePause() {
  Game::setPaused(!gameRun().paused);
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
  if (gameRun().consoleOpen) return;
  if (run_playback::isPlaying()) {
    start ? endPlayback() : togglePause();
  } else if (GuiScreen* screen = game_menus::currentScreen()) {
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
  gameRun().currentMap = std::string(map);
  resetDebugViews();
  game_console::registerConsoleEntries();
  free_view::registerConsoleEntries();
  speed_display::registerConsoleEntries();
  console::printHeading("Game initialisation");
  simulation::beginLevel(particle_renderer::initialise);
  frame_clock::startLevel();
}

// The current level begun afresh as its last run began, then played from its replay.
void watchLastRun() {
  Run& r = gameRun();
  r.replayRequested = false;
  std::string error;
  std::optional<replay::Replay> replay = run_playback::lastRunOf(r.currentMap, error);
  if (!replay) {
    console::print("\n" + error);
    return;
  }
  run_recording::endRun();
  run_playback::start(std::move(*replay));
  if (!level::loadLevel(r.currentMap)) {
    run_playback::stop();
    return;
  }
  startLoadedLevel(r.currentMap);
  r.paused = false;
  Game::setMenu(screen_flow::kPlay);
}

}  // namespace

void Game::run(std::string_view map) {
  const Run& r = gameRun();
  if (!window::isWindowOpen() || r.running) return;
  level::loadSurfaces();
  initialise(map);
  Game listener;
  window::GLWindowEventListener* previous = window::getEventListener();
  window::setEventListener(&listener);
  frame_clock::restart();
  while (window::isWindowOpen() && r.running) {
    window::pumpMessages();
    console_script::advanceFrame();
    frame();
    if (window::isMinimized()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  window::setEventListener(previous);
  shutdown();
}

void Game::initialise(std::string_view map) {
  Run& r = gameRun();
  r.running = true;
  r.quitRequested = r.loadRequested = r.restartRequested = false;
  // The loading screen comes before the first frame, which sets the palette from then on.
  setHighContrastText(player_settings::highContrast());
  splash_screen::startSplash(readableLevelName(map));
  game_menus::create();
  Game::setMenu(screen_flow::kMainMenu);
  game_config::read();
  run_playback::stop();
  const uint64_t seed = rng::position();
  if (level::loadLevel(map)) {
    startLoadedLevel(map);
    run_recording::runBegun(map, seed);
  }
  splash_screen::stopSplash();
}

void Game::shutdown() {
  console::printHeading("Game shutdown");
  run_recording::endRun();
  run_playback::stop();
  game_console::removeConsoleEntries();
  free_view::removeConsoleEntries();
  speed_display::removeConsoleEntries();
  simulation::endLevel();
  particle_renderer::shutdown();
  game_menus::destroy();
  level_completion::releaseOverlay();
  hud::release();
  gameRun().running = false;
  game_config::release();
}

void Game::frame() {
  Run& r = gameRun();
  updateFrameTime();
  if (window::isCursorInClient()) window::setCursorMode(0);
  if (frame_clock::gather()) tick();
  if (!window::isMinimized()) {
    update();
    draw();
  }
  if (r.quitRequested) {
    r.running = false;
  } else if (r.loadRequested) {
    initialise(r.nextMap);
  } else if (r.restartRequested) {
    restartLevel();
  } else if (r.replayRequested) {
    watchLastRun();
  }
}

void Game::update() {
  level_completion::updateOverlay();
  checkpoint_times::updateDisplay();
  hud::update();
  if (GuiScreen* screen = game_menus::currentScreen()) screen->update();
}

void Game::restartLevel() {
  Run& r = gameRun();
  r.running = true;
  r.quitRequested = r.loadRequested = r.restartRequested = false;
  resetDebugViews();
  run_playback::stop();
  run_recording::runBegun(r.currentMap, rng::position());
  simulation::restartLevel();
}

void Game::resetState() {
  gameRun() = Run();
  frame_clock::reset();
  speed_display::reset();
  free_view::reset();
  game_config::reset();
  game_menus::destroy();
}

void Game::requestReplay() {
  gameRun().replayRequested = true;
}

void Game::requestQuit() {
  gameRun().quitRequested = true;
}

void Game::requestLoad(std::string_view map) {
  gameRun().loadRequested = true;
  gameRun().nextMap = std::string(map);
}

void Game::requestRestart() {
  gameRun().restartRequested = true;
}

bool Game::isRunning() {
  return gameRun().running;
}
bool Game::isQuitRequested() {
  return gameRun().quitRequested;
}
bool Game::isPaused() {
  return gameRun().paused;
}
bool Game::isConsoleOpen() {
  return gameRun().consoleOpen;
}
const std::string& Game::currentMap() {
  return gameRun().currentMap;
}

// Only a change counts: pausing a paused game changes nothing. The music stops where it was
// and goes on from there.
void Game::setPaused(bool paused) {
  if (paused == gameRun().paused) return;
  gameRun().paused = paused;
  if (paused)
    music::pauseMusic();
  else
    music::resumeMusic();
}

// The pointer and the key releases are the current menu's; play has no use for them.
void Game::onMouseMove(int32_t x, int32_t y) {
  if (GuiScreen* screen = game_menus::currentScreen()) screen->onMouseMove(x, y);
}
void Game::onMouseDown(int32_t x, int32_t y, int32_t button) {
  if (GuiScreen* screen = game_menus::currentScreen()) screen->onMouseDown(x, y, button);
}
void Game::onMouseUp(int32_t x, int32_t y, int32_t button) {
  if (GuiScreen* screen = game_menus::currentScreen()) screen->onMouseUp(x, y, button);
}
void Game::onKeyUp(int32_t virtualKey) {
  if (GuiScreen* screen = game_menus::currentScreen()) screen->onKeyUp(virtualKey);
}

void Game::onKeyDown(int32_t virtualKey) {
  Run& r = gameRun();
  if (virtualKey == vk::kControllerStart || virtualKey == vk::kControllerBack) {
    controllerButton(virtualKey);
  } else if (run_playback::isPlaying()) {
    playbackKey(virtualKey);
  } else if (r.consoleOpen) {
    if (key_bindings::isBound(key_bindings::kConsole, virtualKey))
      r.consoleOpen = false;
    else
      console::consoleKey(virtualKey);
  } else if (key_bindings::isBound(key_bindings::kConsole, virtualKey)) {
    r.consoleOpen = true;
  } else if (GuiScreen* screen = game_menus::currentScreen()) {
    menuKey(*screen, virtualKey);
  } else {
    playKey(virtualKey);
  }
}

void Game::onClose() {
  window::destroyWindow();
}

void Game::onFocusLost() {
  if (!screen_flow::isMenuOpen()) setPaused(true);
}

void Game::onControllerRemoved() {
  onFocusLost();
}
