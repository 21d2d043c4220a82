#include "game/core/startup.h"

#include <SDL.h>

#include <memory>
#include <string>

#include "game/console/console.h"
#include "game/console/console_script.h"
#include "game/core/automation_commands.h"
#include "game/core/game.h"
#include "game/core/startup_settings.h"
#include "game/level/level_renderers.h"
#include "game/platform/music.h"
#include "game/platform/music_device.h"
#include "game/platform/openal_music_device.h"
#include "game/platform/openal_sound_device.h"
#include "game/platform/sound_console.h"
#include "game/platform/textures.h"
#include "game/platform/window.h"

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

// More detail asks for more samples per pixel, each refusal trying the next lower count.
void chooseSampleCount(int32_t detailLevel) {
  switch (detailLevel) {
    case 3: window::setSampleCount(2); break;
    case 4:
      if (!window::setSampleCount(4)) window::setSampleCount(2);
      break;
    case 5:
      if (!window::setSampleCount(8) && !window::setSampleCount(4)) window::setSampleCount(2);
      break;
    default: break;
  }
}

void chooseTextureSettings(int32_t detailLevel) {
  if (detailLevel == 0) textures::setTextureQuality(2);
  if (detailLevel == 1) textures::setTextureQuality(1);
  if (detailLevel == 3) textures::setAnisotropy(8);
  if (detailLevel == 4) textures::setAnisotropy(4);
  if (detailLevel == 5) textures::setAnisotropy(2);
}

void startServices(const StartupSettings& settings, const WindowSize& size) {
  window::createWindow(kWindowTitle, size.width, size.height);
  window::centerWindow();
  window::setCursorMode(0);
  chooseSampleCount(settings.detailLevel);
  if (settings.fullscreen) window::setFullscreen(true, size.width, size.height);
  window::setVsync(true);
  textures::initTextures();
  console::initialise();
  automation::registerCommands();
  music::installMusicDevice(std::make_unique<audio::OpenAlMusicDevice>());
  music::initMusic();
  audio::initSound();
  sound::startSoundList();
  if (!size.warning.empty()) console::print(size.warning);
  chooseTextureSettings(settings.detailLevel);
}

void stopServices() {
  sound::stopSoundList();
  audio::shutdownSound();
  music::shutdownMusic();
  music::installMusicDevice(nullptr);
  console::shutdown();
  textures::freeAllTextures();
  if (window::isWindowOpen()) window::destroyWindow();
  // Leaving full screen gives the desktop its mode back; the display server then repaints
  // what the window covered, so nothing needs to ask for it.
  SDL_Quit();
}

}  // namespace

int runProgram(std::string_view commandLine) {
  StartupSettings settings;
  readPreferences(settings);
  parseCommandLine(commandLine, settings);
  const WindowSize size = chooseWindowSize(settings);
  startServices(settings, size);
  level::installLevelRenderers();
  window::bringToFront();
  // The script starts with the game's first frame, once the level is loaded.
  if (!settings.execFile.empty()) console_script::queueLine("Exec " + settings.execFile);
  if (window::isWindowOpen()) Game::run(settings.startMap);
  stopServices();
  return 0;
}
