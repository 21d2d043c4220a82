#include "game/simulation/controller_turn.h"

#include <algorithm>
#include <cmath>

namespace {

float pastDeadZone(float value, float deadZone) {
  const float travel = std::clamp(std::fabs(value), 0.0f, 1.0f);
  if (travel <= deadZone) return 0.0f;
  return std::copysign((travel - deadZone) / (1.0f - deadZone), value);
}

}  // namespace

float controllerTurn(std::span<const platform::ControllerAxes> controllers, float deadZone) {
  deadZone = std::clamp(deadZone, 0.0f, 0.99f);
  float turn = 0.0f;
  for (const platform::ControllerAxes& c : controllers) {
    turn += pastDeadZone(c.leftTrigger, deadZone) - pastDeadZone(c.rightTrigger, deadZone) -
            pastDeadZone(c.stickX, deadZone);
  }
  return std::clamp(turn, -1.0f, 1.0f);
}
