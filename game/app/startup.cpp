#include "game/app/startup.h"

#include <algorithm>
#include <SDL.h>

#include <memory>
#include <string>

#include "common/registry_key.h"
#include "game/app/automation_commands.h"
#include "game/app/game.h"
#include "game/app/startup_settings.h"
#include "game/console/console.h"
#include "game/console/console_script.h"
#include "game/gui/high_score_replays.h"
#include "game/gui/high_score_table.h"
#include "game/gui/intro_screen.h"
#include "game/gui/level_index.h"
#include "game/gui/level_progress.h"
#include "game/level/level_renderers.h"
#include "game/platform/key_bindings.h"
#include "game/platform/music.h"
#include "game/platform/music_device.h"
#include "game/platform/openal_music_device.h"
#include "game/platform/openal_sound_device.h"
#include "game/platform/sound_console.h"
#include "game/platform/textures.h"
#include "game/platform/window.h"
#include "game/simulation/player_settings.h"

namespace {

constexpr int32_t kFallbackWidth = 800;
constexpr int32_t kFallbackHeight = 600;

struct WindowSize {
  int32_t width = kFallbackWidth;
  int32_t height = kFallbackHeight;
  std::string warning;  // printed once the console runs
};

// A size the desktop can't show (or a number too large to be a size) falls back to
// 800 x 600, or to the desktop itself when even that is too large.
WindowSize chooseWindowSize(const StartupSettings& settings) {
  WindowSize size;
  SDL_DisplayMode desktop{};
  const bool known =
      SDL_InitSubSystem(SDL_INIT_VIDEO) == 0 && SDL_GetDesktopDisplayMode(0, &desktop) == 0;
  const uint32_t limitX = known ? uint32_t(desktop.w) : uint32_t(INT32_MAX);
  const uint32_t limitY = known ? uint32_t(desktop.h) : uint32_t(INT32_MAX);
  if (settings.resolutionX <= limitX && settings.resolutionY <= limitY) {
    size.width = int32_t(settings.resolutionX);
    size.height = int32_t(settings.resolutionY);
    return size;
  }
  if (known) {
    size.width = std::min(kFallbackWidth, desktop.w);
    size.height = std::min(kFallbackHeight, desktop.h);
  }
  size.warning = "\nThe resolution " + std::to_string(settings.resolutionX) + " x " +
                 std::to_string(settings.resolutionY) + " is larger than the desktop; using " +
                 std::to_string(size.width) + " x " + std::to_string(size.height) + ".";
  return size;
}

// Each refusal of the driver tries the next lower count.
void chooseSampleCount(const DetailPlan& plan) {
  for (const int32_t samples : plan.sampleCounts) {
    if (window::setSampleCount(samples)) return;
  }
}

void chooseTextureSettings(const DetailPlan& plan) {
  if (plan.textureQuality) textures::setTextureQuality(*plan.textureQuality);
  if (plan.anisotropy) textures::setAnisotropy(*plan.anisotropy);
}

// The sample count recreates the window, so it is settled before any texture or display list
// exists.
void openWindow(const StartupSettings& settings, int32_t width, int32_t height) {
  window::createWindow(kWindowTitle, width, height);
  window::centerWindow();
  window::setCursorMode(0);
  chooseSampleCount(detailPlan(settings.detailLevel));
  if (settings.fullscreen) window::setFullscreen(true, width, height);
  window::setVsync(true);
}

void closeWindow() {
  if (window::isWindowOpen()) window::destroyWindow();
}

// The key file is read once the console runs, so a wrong key name is shown there. A key file
// of the player's own, kept with the preferences, comes before the shipped one: an installed
// data folder is read-only.
void loadKeys() {
  const std::optional<std::filesystem::path> folder = preferencesFolder();
  std::error_code missing;
  if (folder && std::filesystem::is_regular_file(*folder / "keys.cfg", missing))
    key_bindings::load((*folder / "keys.cfg").string());
  else
    key_bindings::load();
}

void startConsole() {
  console::initialise();
  automation::registerCommands();
  player_settings::registerConsoleEntries();
  player_settings::loadPreferences();
  loadKeys();
}

void startMusic() {
  music::installMusicDevice(std::make_unique<audio::OpenAlMusicDevice>());
  music::initMusic();
}

void stopMusic() {
  music::shutdownMusic();
  music::installMusicDevice(nullptr);
}

}  // namespace

std::vector<ProgramService> programServices(const StartupSettings& settings, int32_t width,
                                            int32_t height) {
  return {
      {"window", [=] { openWindow(settings, width, height); }, closeWindow},
      {"textures", textures::initTextures, textures::freeAllTextures},
      {"console", startConsole, console::shutdown},
      {"music", startMusic, stopMusic},
      {"sound", audio::initSound, audio::shutdownSound},
      {"sound list", sound::startSoundList, sound::stopSoundList},
  };
}

void startServices(std::span<const ProgramService> services) {
  for (const ProgramService& service : services) service.start();
}

void stopServices(std::span<const ProgramService> services) {
  for (auto service = services.rbegin(); service != services.rend(); ++service) service->stop();
}

std::string levelToStartOn(std::string_view startMap) {
  const std::vector<std::string> ladder = level_index::ladder();
  if (std::none_of(ladder.begin(), ladder.end(), progress::isWon)) return std::string(startMap);
  const auto next = std::find_if_not(ladder.begin(), ladder.end(), progress::isWon);
  return next == ladder.end() ? std::string(startMap) : *next;
}

int runProgram(std::string_view commandLine) {
  StartupSettings settings;
  readPreferences(settings);
  parseCommandLine(commandLine, settings);
  const WindowSize size = chooseWindowSize(settings);
  const std::vector<ProgramService> services = programServices(settings, size.width, size.height);
  startServices(services);
  if (!size.warning.empty()) console::print(size.warning);
  chooseTextureSettings(detailPlan(settings.detailLevel));
  level::installLevelRenderers();
  // Closing the window during the intro skips the game below.
  IntroScreen().run();
  high_scores::loadHighScores();
  progress::load();
  level_index::load();
  high_score_replays::removeLeftovers();
  window::bringToFront();
  // The script starts with the game's first frame, once the level is loaded.
  if (!settings.execFile.empty()) console_script::queueLine("Exec " + settings.execFile);
  if (!settings.mapGiven) settings.startMap = levelToStartOn(settings.startMap);
  if (window::isWindowOpen()) Game::run(settings.startMap);
  // Written back whether or not the game ran (the window may have closed before it).
  high_scores::saveHighScores();
  stopServices(services);
  // Leaving full screen gives the desktop its mode back; the display server then repaints
  // what the window covered, so nothing needs to ask for it.
  SDL_Quit();
  return 0;
}
