#include "game/platform/display_mode.h"

namespace window {
namespace {

constexpr uint32_t kPreferredRate = 60;

bool movesTowardPreferred(uint32_t held, uint32_t candidate) {
  return (held < candidate && held < kPreferredRate) || (candidate < held && held > kPreferredRate);
}

}  // namespace

std::optional<DisplayMode> chooseDisplayMode(std::span<const DisplayMode> modes, int32_t width,
                                             int32_t height) {
  std::optional<DisplayMode> held;
  for (const DisplayMode& mode : modes) {
    if (mode.width != width || mode.height != height) continue;
    // Rates compare unsigned, so an unknown rate of 0 only ever gives way.
    if (!held || movesTowardPreferred(uint32_t(held->refreshRate), uint32_t(mode.refreshRate))) {
      held = mode;
    }
  }
  return held;
}

}  // namespace window
