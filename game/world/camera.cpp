// The camera's pose and the requests the level may make of it. camera.cfg's settings are read
// here, clamped to what the steering (game/simulation/camera_steering.cpp) can use.

#include "game/world/camera.h"

#include <algorithm>
#include <cmath>

#include "common/config_file.h"
#include "common/random.h"
#include "game/platform/platform_services.h"

namespace camera {
namespace {

constexpr float kDegreesToRadians = 0.017453292f;
// The view's zoom while it follows the water when camera.cfg names none, and the range a
// named one is held to: closer than a quarter would lose the water off the view's edge.
constexpr float kDefaultNormalZoom = 1.0f;
constexpr float kMinNormalZoom = 0.25f;
constexpr float kAngleLimit = 180.0f;
// Beyond this a control would hardly work at all.
constexpr float kMaxDeadZone = 0.9f;
// Below 1, so the opening move always gets closer and ends.
constexpr float kMaxWaypointSpeed = 0.99f;
// A landscape window shows this many units top to bottom, a portrait or square one this
// many across; a minimised window (no client area) answers with the landscape 4:3 view.
constexpr float kLandscapeViewHeight = 600.0f;
constexpr float kPortraitViewWidth = 800.0f;


Settings config;
State state;
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

State& steeredState() {
  return state;
}

Vec2 newShakeTarget() {
  const float x = rng::uniform() - 0.5f;
  const float y = rng::uniform() - 0.5f;
  return normalised({x, y}) * config.shakeStrenght;
}

void initialise() {
  config = readSettings();
  state = State{};
  state.zoom = config.normalZoom;
}

const Settings& settings() {
  return config;
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
