#include "launcher/display_modes.h"

#include <SDL.h>

DisplayModes readDisplayModes() {
  DisplayModes result;
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return result;
  constexpr int kDisplay = 0;
  SDL_DisplayMode mode{};
  if (SDL_GetDesktopDisplayMode(kDisplay, &mode) == 0) result.desktop = {mode.w, mode.h};
  const int count = SDL_GetNumDisplayModes(kDisplay);
  for (int i = 0; i < count; ++i) {
    if (SDL_GetDisplayMode(kDisplay, i, &mode) != 0) continue;
    // A mode's colour depth is the memory a pixel takes: 24-bit colour in 4 bytes is 32-bit.
    result.modes.push_back(
        {mode.w, mode.h, int32_t(SDL_BYTESPERPIXEL(mode.format)) * 8, mode.refresh_rate});
  }
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  return result;
}
