#pragma once
// The choice among a display's modes of one size: the one whose refresh rate is nearest to
// 60 Hz, walking the list in the driver's order.

#include <cstdint>
#include <optional>
#include <span>

#include "game/platform/window.h"

namespace window {

// The first mode of `width` x `height` is held; a later one of that size replaces it when
// it moves the rate toward 60 Hz (a held rate below 60 rises, one above 60 falls). Colour
// depth plays no part.
std::optional<DisplayMode> chooseDisplayMode(std::span<const DisplayMode> modes, int32_t width,
                                             int32_t height);

}  // namespace window
