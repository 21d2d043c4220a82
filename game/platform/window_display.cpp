// Display modes and full screen.

#include <SDL.h>

#include <vector>

#include "game/platform/display_mode.h"
#include "game/platform/window.h"
#include "game/platform/window_state.h"

namespace window {
namespace {

using detail::state;

int displayIndex() {
  const int index = isWindowOpen() ? SDL_GetWindowDisplayIndex(state().window) : 0;
  return index < 0 ? 0 : index;
}

std::vector<DisplayMode> displayModes() {
  std::vector<DisplayMode> modes;
  const int display = displayIndex();
  const int count = SDL_GetNumDisplayModes(display);
  for (int i = 0; i < count; ++i) {
    SDL_DisplayMode mode{};
    if (SDL_GetDisplayMode(display, i, &mode) != 0) break;
    modes.push_back({mode.w, mode.h, mode.refresh_rate});
  }
  return modes;
}

// The arrow shows while the display changes, whichever cursor the game chose; the next
// paint puts the chosen one back.
void showArrow() {
  const int32_t chosen = getCursorMode();
  setCursorMode(1);
  state().cursorMode = chosen;
}

void enterFullscreen(int32_t width, int32_t height) {
  const std::optional<DisplayMode> mode = findDisplayMode(width, height);
  if (!mode) return;
  const SDL_DisplayMode wanted{0, mode->width, mode->height, mode->refreshRate, nullptr};
  const bool changed = SDL_SetWindowDisplayMode(state().window, &wanted) == 0 &&
                       SDL_SetWindowFullscreen(state().window, SDL_WINDOW_FULLSCREEN) == 0;
  showArrow();
  if (!changed) return;
  state().fullscreen = true;
  detail::applyViewport();
}

void leaveFullscreen(int32_t width, int32_t height) {
  if (SDL_SetWindowFullscreen(state().window, 0) != 0) return;
  SDL_SetWindowResizable(state().window, SDL_FALSE);
  setClientSize(width, height);
  centerWindow();
  state().fullscreen = false;
}

}  // namespace

std::optional<DisplayMode> findDisplayMode(int32_t width, int32_t height) {
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return std::nullopt;
  const std::vector<DisplayMode> modes = displayModes();
  return chooseDisplayMode(modes, width, height);
}

// The current state isn't consulted: a second "on" changes the mode again.
void setFullscreen(bool on, int32_t width, int32_t height) {
  if (!isWindowOpen()) return;
  if (on) {
    enterFullscreen(width, height);
  } else {
    leaveFullscreen(width, height);
  }
}

bool isFullscreen() {
  return state().fullscreen;
}

}  // namespace window
