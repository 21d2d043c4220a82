// Every smoothing of the camera is exponential: each tick keeps factor^t of the gap between
// the current value and the one it chases, so after one second exactly `factor` of the gap
// is left however the second was cut into ticks. The position chases the weighted centre of
// the water, the turn rate chases the rate asked by the arrow keys and the mouse. The zoom
// is a small cycle of modes (follow, zooming out, holding the overview, zooming back in),
// and the shake walks its offset at a fixed speed from one random target to the next.

#include "game/simulation/camera_steering.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include "game/platform/key_bindings.h"
#include "game/platform/platform_services.h"
#include "game/simulation/controller_turn.h"
#include "game/water/grouped_particle_mover.h"
#include "game/water/particle_manager.h"

namespace camera {
namespace {

// Keeps factor^t of the way from `to` back to `from`.
Vec2 smoothToward(Vec2 from, Vec2 to, float factor, float t) {
  const float keep = std::pow(factor, t);
  return from * keep + to * (1.0f - keep);
}

// The opening move flies in with its own smoothing and hands over to following once the
// water was already close before this tick's move.
void positionStep(State& state, const Settings& config, float t) {
  const Vec2 water = waterCentre(state.position);
  if (state.mode == kOpeningMove && reducedMotion()) {
    state.position = water;
    state.mode = kFollow;
  } else if (state.mode == kOpeningMove) {
    const float gap = distance(water, state.position);
    state.position = smoothToward(state.position, water, config.waypointInterpolateSpeed, t);
    if (config.waypointInterpolateDistance >= gap) state.mode = kFollow;
  } else {
    state.position = smoothToward(state.position, water, config.movementInterpolateSpeed, t);
  }
}

void zoomStep(State& state, const Settings& config, float t) {
  switch (state.mode) {
    case kZoomingOut:
      state.zoom += config.zoomSpeed * t;
      if (state.zoom >= kOverviewZoom) {
        state.zoom = kOverviewZoom;
        state.mode = kHoldingOverview;
        state.holdTimeLeft = config.zoomWait;
      }
      break;
    case kHoldingOverview:
      state.holdTimeLeft -= t;
      if (state.holdTimeLeft <= 0.0f) {
        state.holdTimeLeft = 0.0f;
        state.mode = kZoomingIn;
      }
      break;
    case kZoomingIn:
      state.zoom -= config.zoomSpeed * t;
      if (state.zoom <= config.normalZoom) {
        state.zoom = config.normalZoom;
        state.mode = kFollow;
      }
      break;
    default: break;
  }
}


// Moves `from` by `step` straight toward `to`.
Vec2 stepToward(Vec2 from, Vec2 to, float step) {
  return from + normalised(to - from) * step;
}

// The shake's last tick still moves the offset; afterwards it walks back to rest.
void shakeStep(State& state, const Settings& config, float t) {
  const float step = t * config.shakeSpeed;
  if (state.shaking) {
    state.shakeTimeLeft -= t;
    if (state.shakeTimeLeft <= 0.0f) {
      state.shakeTimeLeft = 0.0f;
      state.shaking = false;
    }
    if (step >= distance(state.shakeOffset, state.shakeTarget)) {
      state.shakeOffset = state.shakeTarget;
      state.shakeTarget = newShakeTarget();
    } else {
      state.shakeOffset = stepToward(state.shakeOffset, state.shakeTarget, step);
    }
  } else if (step > length(state.shakeOffset)) {
    state.shakeOffset = {};
  } else {
    state.shakeOffset = stepToward(state.shakeOffset, {}, step);
  }
}

float askedTurnRate(const Settings& config, const TurnInput& input) {
  float asked = 0.0f;
  if (input.left) asked += config.keyboardTurnSpeed;
  if (input.right) asked -= config.keyboardTurnSpeed;
  asked += std::clamp(input.stickTurn, -1.0f, 1.0f) * config.keyboardTurnSpeed;
  return asked - float(input.mouseTurn) * config.mouseTurnSpeed;
}

// Hitting the limit also stops the turn, so letting go of the key doesn't coast back.
void turnStep(State& state, const Settings& config, const TurnInput& input, float t) {
  const float keep = std::pow(config.rotationSmooth, t);
  state.turnRate = state.turnRate * keep + (1.0f - keep) * askedTurnRate(config, input);
  state.angle += state.turnRate * t;
  if (state.angle < -config.maxAngle) {
    state.angle = -config.maxAngle;
    state.turnRate = 0.0f;
  }
  if (state.angle > config.maxAngle) {
    state.angle = config.maxAngle;
    state.turnRate = 0.0f;
  }
}

}  // namespace

TurnInput readTurnInput() {
  platform::Services& services = platform::services();
  TurnInput input{key_bindings::isHeld(key_bindings::kTurnLeft),
                  key_bindings::isHeld(key_bindings::kTurnRight), 0,
                  controllerTurn(services.controllerAxes(), controllerDeadZone())};
  if (services.isForeground() && services.isCursorInClient()) {
    input.mouseTurn = services.pointerX() - services.clientWidth() / 2;
    services.centerMouse();
  }
  return input;
}

void update(const TurnInput* input, float t) {
  assert(t >= 0.0f);
  State& state = steeredState();
  const Settings& config = settings();
  positionStep(state, config, t);
  zoomStep(state, config, t);
  shakeStep(state, config, t);
  if (input != nullptr) turnStep(state, config, *input, t);
}

Vec2 waterCentre(Vec2 from) {
  return waterCentre(from, particle_manager::particleList(), grouped_particle_mover::groupList());
}

Vec2 waterCentre(Vec2 from, const ParticleList& particles, const ParticleGroupList& groups) {
  Vec2 weighted;
  float weightSum = 0.0f;
  for (const Particle& particle : particles) {
    const float weight = 1.0f / (1.0f + distance(particle.position, from));
    weighted += particle.position * weight;
    weightSum += weight;
  }
  for (const ParticleGroup& group : groups) {
    const float weight = float(group.particles.size()) / (1.0f + distance(group.centre, from));
    weighted += group.centre * weight;
    weightSum += weight;
  }
  if (weightSum == 0.0f) return {};
  return weighted / weightSum;
}

}  // namespace camera
