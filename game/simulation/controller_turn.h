#pragma once
// How much the game controllers ask the view to turn, from -1 (as the Right key) to 1 (as
// the Left key). The stick pushed left and the left trigger turn as Left, the stick pushed
// right and the right trigger as Right. Each control's travel inside the dead zone counts as
// rest and the travel beyond it is stretched to the whole range, so a control pushed all the
// way turns exactly as fast as the key, and a slightly worn stick that never quite centres
// turns nothing. Several controllers add up.

#include <span>

#include "game/platform/platform_services.h"

float controllerTurn(std::span<const platform::ControllerAxes> controllers, float deadZone);
