#pragma once
// The camera's steering, once per tick: it follows the body of water on its own, lets the
// player turn the view (and gravity with it) by keyboard, mouse or controller, flies in from
// the level's camera start at the beginning and runs the zoom and the shake the level asked
// for. The pose it moves is game/world/camera.h's.

#include <cstdint>

#include "common/vector2.h"
#include "game/water/particle_group.h"
#include "game/world/camera.h"

namespace camera {

// What the player asks of the turn on one tick: the turning keys held, the pointer's offset
// in pixels from the client's middle (0 when the window hasn't the pointer) and a
// controller's deflection past its dead zone.
struct TurnInput {
  bool left = false;
  bool right = false;
  int32_t mouseTurn = 0;
  float stickTurn = 0.0f;  // a controller's stick and triggers: 1 turns as Left, -1 as Right
  bool operator==(const TurnInput&) const = default;
};

// The turn input as the platform has it now (the keys, the pointer, the controllers); pulls the pointer back to the client's middle,
// so the next reading is the mouse's movement since this one.
TurnInput readTurnInput();
// One tick of `t` seconds: position, zoom, shake and, when the player's input is taken
// (`input` is not null), the turn it asks for.
void update(const TurnInput* input, float t);

// The weighted centre of all water as seen from `from`: nearby water counts more.
Vec2 waterCentre(Vec2 from);
// The same over the given particles and ice groups; (0, 0) when there are none.
Vec2 waterCentre(Vec2 from, const ParticleList& particles, const ParticleGroupList& groups);

}  // namespace camera
