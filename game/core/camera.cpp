// Every smoothing of the camera is exponential: each tick keeps factor^t of the gap between
// the current value and the one it chases, so after one second exactly `factor` of the gap
// is left however the second was cut into ticks. The position chases the weighted centre of
// the water, the turn rate chases the rate asked by the arrow keys and the mouse. The zoom
// is a small cycle of modes (follow, zooming out, holding the overview, zooming back in),
// and the shake walks its offset at a fixed speed from one random target to the next.

#include "game/core/camera.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include "common/config_file.h"
#include "common/random.h"
#include "game/core/controller_turn.h"
#include "game/core/key_bindings.h"
#include "game/platform/platform_services.h"
#include "game/water/grouped_particle_mover.h"
#include "game/water/particle_manager.h"

namespace camera {
namespace {

constexpr Vec2 kStartPosition{-1000.0f, 0.0f};
constexpr float kDegreesToRadians = 0.017453292f;
// The view's zoom while it follows the water when camera.cfg names none, and the range a
// named one is held to: closer than a quarter would lose the water off the view's edge.
constexpr float kDefaultNormalZoom = 1.0f;
constexpr float kMinNormalZoom = 0.25f;
constexpr float kOverviewZoom = 2.5f;
constexpr float kAngleLimit = 180.0f;
// Beyond this a control would hardly work at all.
constexpr float kMaxDeadZone = 0.9f;
// Below 1, so the opening move always gets closer and ends.
constexpr float kMaxWaypointSpeed = 0.99f;
// A landscape window shows this many units top to bottom, a portrait or square one this
// many across; a minimised window (no client area) answers with the landscape 4:3 view.
constexpr float kLandscapeViewHeight = 600.0f;
constexpr float kPortraitViewWidth = 800.0f;

struct CameraState {
  Vec2 position = kStartPosition;
  float angle = 0.0f;     // degrees
  float turnRate = 0.0f;  // degrees per second
  float zoom = kDefaultNormalZoom;
  int32_t mode = kOpeningMove;
  float holdTimeLeft = 0.0f;
  bool shaking = false;
  float shakeTimeLeft = 0.0f;
  Vec2 shakeTarget;
  Vec2 shakeOffset;
};

Settings config;
CameraState state;
bool motionReduced = false;
float deadZone = kDefaultControllerDeadZone;

// ---- Settings ---------------------------------------------------------------------------

Settings readSettings() {
  const ConfigFile file(kConfigPath);
  const auto magnitude = [&file](std::string_view key) { return std::fabs(file.getFloat(key)); };
  Settings s;
  s.rotationSmooth = std::clamp(file.getFloat("rotationSmooth"), 0.0f, 1.0f);
  s.movementInterpolateSpeed = std::clamp(file.getFloat("movementInterpolateSpeed"), 0.0f, 1.0f);
  s.maxAngle = std::min(magnitude("maxAngle"), kAngleLimit);
  s.keyboardTurnSpeed = magnitude("keyboardTurnSpeed");
  s.mouseTurnSpeed = magnitude("mouseTurnSpeed");
  const float normalZoom = magnitude("normalZoom");
  s.normalZoom =
      normalZoom > 0.0f ? std::clamp(normalZoom, kMinNormalZoom, kOverviewZoom) : kDefaultNormalZoom;
  s.zoomSpeed = magnitude("zoomSpeed");
  s.zoomWait = magnitude("zoomWait");
  s.waypointInterpolateSpeed = std::min(magnitude("waypointInterpolateSpeed"), kMaxWaypointSpeed);
  s.waypointInterpolateDistance = magnitude("waypointInterpolateDistance");
  s.shakeTime = magnitude("shakeTime");
  s.shakeStrenght = magnitude("shakeStrenght");
  s.shakeSpeed = magnitude("shakeSpeed");
  return s;
}

// ---- Steps ------------------------------------------------------------------------------

// Keeps factor^t of the way from `to` back to `from`.
Vec2 smoothToward(Vec2 from, Vec2 to, float factor, float t) {
  const float keep = std::pow(factor, t);
  return from * keep + to * (1.0f - keep);
}

// The opening move flies in with its own smoothing and hands over to following once the
// water was already close before this tick's move.
void positionStep(float t) {
  const Vec2 water = waterCentre(state.position);
  if (state.mode == kOpeningMove && motionReduced) {
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

void zoomStep(float t) {
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

Vec2 newShakeTarget() {
  const float x = rng::uniform() - 0.5f;
  const float y = rng::uniform() - 0.5f;
  return normalised({x, y}) * config.shakeStrenght;
}

// Moves `from` by `step` straight toward `to`.
Vec2 stepToward(Vec2 from, Vec2 to, float step) {
  return from + normalised(to - from) * step;
}

// The shake's last tick still moves the offset; afterwards it walks back to rest.
void shakeStep(float t) {
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

float askedTurnRate(const TurnInput& input) {
  float asked = 0.0f;
  if (input.left) asked += config.keyboardTurnSpeed;
  if (input.right) asked -= config.keyboardTurnSpeed;
  asked += std::clamp(input.stickTurn, -1.0f, 1.0f) * config.keyboardTurnSpeed;
  return asked - float(input.mouseTurn) * config.mouseTurnSpeed;
}

// Hitting the limit also stops the turn, so letting go of the key doesn't coast back.
void turnStep(const TurnInput& input, float t) {
  const float keep = std::pow(config.rotationSmooth, t);
  state.turnRate = state.turnRate * keep + (1.0f - keep) * askedTurnRate(input);
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

// The view in world units at zoom 1, from the client area's shape.
Vec2 viewSize() {
  const platform::Services& services = platform::services();
  const float w = float(services.clientWidth());
  const float h = float(services.clientHeight());
  if (w <= 0.0f || h <= 0.0f) return {kPortraitViewWidth, kLandscapeViewHeight};
  if (h >= w) return {kPortraitViewWidth, h * kPortraitViewWidth / w};
  return {w * kLandscapeViewHeight / h, kLandscapeViewHeight};
}

}  // namespace

void initialise() {
  config = readSettings();
  state = CameraState{};
  state.zoom = config.normalZoom;
}

const Settings& settings() {
  return config;
}

TurnInput readTurnInput() {
  platform::Services& services = platform::services();
  TurnInput input{key_bindings::isHeld(key_bindings::kTurnLeft),
                  key_bindings::isHeld(key_bindings::kTurnRight), 0,
                  controllerTurn(services.controllerAxes(), deadZone)};
  if (services.isForeground() && services.isCursorInClient()) {
    input.mouseTurn = services.pointerX() - services.clientWidth() / 2;
    services.centerMouse();
  }
  return input;
}

void update(const TurnInput* input, float t) {
  assert(t >= 0.0f);
  positionStep(t);
  zoomStep(t);
  shakeStep(t);
  if (input != nullptr) turnStep(*input, t);
}

void setMode(int32_t mode) {
  if (mode >= kOpeningMove && mode <= kZoomingIn) state.mode = mode;
}

int32_t mode() {
  return state.mode;
}

bool isOpeningMove() {
  return state.mode == kOpeningMove;
}

void startZoom() {
  switch (state.mode) {
    case kFollow: state.mode = kZoomingOut; break;
    case kHoldingOverview: state.holdTimeLeft = config.zoomWait; break;
    case kZoomingIn: state.mode = kZoomingOut; break;
    default: break;
  }
}

void startZoomPunch() {
  if (!motionReduced) startZoom();
}

void startShake() {
  if (motionReduced) return;
  state.shakeTimeLeft = config.shakeTime;
  if (state.shaking) return;
  state.shaking = true;
  state.shakeTarget = newShakeTarget();
}

bool isShaking() {
  return state.shaking;
}

void setReducedMotion(bool on) {
  motionReduced = on;
  if (!on) return;
  state.shaking = false;
  state.shakeTimeLeft = 0.0f;
  state.shakeOffset = {};
}

bool reducedMotion() {
  return motionReduced;
}

void setControllerDeadZone(float share) {
  deadZone = std::clamp(share, 0.0f, kMaxDeadZone);
}

float controllerDeadZone() {
  return deadZone;
}

Vec2 position() {
  return state.position;
}

void setPosition(Vec2 position) {
  state.position = position;
}

float angle() {
  return state.angle;
}

void setAngle(float degrees) {
  state.angle = degrees;
}

float turnRate() {
  return state.turnRate;
}

float zoom() {
  return state.zoom;
}

Vec2 shakeOffset() {
  return state.shakeOffset;
}

Vec2 centre() {
  return state.position + state.shakeOffset;
}

float viewWidth() {
  return viewSize().x;
}

float viewHeight() {
  return viewSize().y;
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

Vec2 turned(Vec2 v) {
  rotate(v, state.angle * kDegreesToRadians);
  return v;
}

ViewRectangle::ViewRectangle() {
  const float halfWidth = viewWidth() * state.zoom * 0.5f;
  const float halfHeight = viewHeight() * state.zoom * 0.5f;
  const Vec2 inward[4] = {{0, 1}, {-1, 0}, {0, -1}, {1, 0}};
  const Vec2 corner[4] = {{-halfWidth, -halfHeight},
                          {halfWidth, -halfHeight},
                          {halfWidth, halfHeight},
                          {-halfWidth, halfHeight}};
  for (int i = 0; i < 4; ++i) {
    edgePoint_[i] = centre() + turned(corner[i]);
    inward_[i] = turned(inward[i]);
  }
}

// A point with a NaN coordinate is far outside: such water has left the world.
bool ViewRectangle::farOutside(Vec2 p, float margin) const {
  for (int i = 0; i < 4; ++i)
    if (!(dot(p - edgePoint_[i], inward_[i]) >= -margin)) return true;
  return false;
}

}  // namespace camera
