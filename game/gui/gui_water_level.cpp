#include "game/gui/gui_water_level.h"

#include <algorithm>

#include "game/water/grouped_particle_mover.h"

namespace {

constexpr float kFullWater = 128.0f;

}  // namespace

GuiWaterLevel::GuiWaterLevel() {
  ramp_.time = ramp_.remaining = 1.0f;
}

void GuiWaterLevel::setRampTime(float seconds) {
  ramp_.time = std::max(seconds, 0.0001f);
}

float GuiWaterLevel::barTop() const {
  const float water = float(grouped_particle_mover::totalWater()) / kFullWater;
  return float(y()) + (1.0f - water * ramp_.fraction()) * float(height());
}
