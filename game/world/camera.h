#pragma once
// The camera's pose and view: where it stands, how far it is turned (gravity turns with it),
// its zoom and shake, and the view size in world units that every culling rule of the game
// uses. Every module reads it; the requests below (a mode, an overview, a shake) are what the
// level's triggers may ask. Its steering from the keys and the water, each tick, is in
// game/simulation/camera_steering.h.

#include <cstdint>
#include <string_view>

#include "common/vector2.h"

namespace camera {

constexpr std::string_view kConfigPath = "cfg\\camera.cfg";

// The settings of camera.cfg, already clamped to what the steps can use.
struct Settings {
  float rotationSmooth = 0.0f;               // 0..1, share of the turn rate kept after 1 s
  float movementInterpolateSpeed = 0.0f;     // 0..1, share of the distance left after 1 s
  float maxAngle = 0.0f;                     // 0..180 degrees either way
  float keyboardTurnSpeed = 0.0f;            // degrees per second
  float mouseTurnSpeed = 0.0f;               // degrees per second per pixel off centre
  float normalZoom = 1.0f;                   // 0.25..2.5, the zoom while following (below 1 is closer)
  float zoomSpeed = 0.0f;                    // zoom change per second
  float zoomWait = 0.0f;                     // seconds the overview is held
  float waypointInterpolateSpeed = 0.0f;     // 0..0.99, as the follow smoothing, opening move
  float waypointInterpolateDistance = 0.0f;  // the opening move ends this close to the water
  float shakeTime = 0.0f;                    // seconds
  float shakeStrenght = 0.0f;                // distance of each shake target from the centre
  float shakeSpeed = 0.0f;                   // units per second
};

// The overview's zoom, which the zoom cycle runs out to.
constexpr float kOverviewZoom = 2.5f;

enum Mode : int32_t {
  kOpeningMove = 0,
  kFollow = 1,
  kZoomingOut = 2,
  kHoldingOverview = 3,
  kZoomingIn = 4,
};

// What the camera is doing: the pose every module reads and the steering's own progress.
struct State {
  Vec2 position{-1000.0f, 0.0f};
  float angle = 0.0f;     // degrees
  float turnRate = 0.0f;  // degrees per second
  float zoom = 1.0f;
  int32_t mode = kOpeningMove;
  float holdTimeLeft = 0.0f;
  bool shaking = false;
  float shakeTimeLeft = 0.0f;
  Vec2 shakeTarget;
  Vec2 shakeOffset;
};
// The state for the steering to move on each tick; everyone else reads the functions below.
State& steeredState();
// A fresh target for the shake to walk to, from the game's random source.
Vec2 newShakeTarget();
// Reads camera.cfg and puts the camera at (-1000, 0), unturned, at its normal zoom, in mode 0.
void initialise();
const Settings& settings();

// Modes outside 0..4 are ignored.
void setMode(int32_t mode);
int32_t mode();
// The opening move runs: the game simulates nothing meanwhile.
bool isOpeningMove();
// Zooms out for the overview, or holds it longer.
void startZoom();
// A level's trigger asks for the overview: as startZoom, unless motion is reduced.
void startZoomPunch();
// Starts a shake, or lengthens the one running; nothing while motion is reduced.
void startShake();
// Reduced motion: no shakes, no zoom punches, and the opening move cuts straight to the
// water. Turning it on ends a shake at once. Kept across levels and initialise().
void setReducedMotion(bool on);
bool reducedMotion();
// The share of a controller's stick or trigger travel that counts as rest, 0 to 0.9. Kept
// across levels. A worn stick rests a little off centre.
constexpr float kDefaultControllerDeadZone = 0.2f;
void setControllerDeadZone(float share);
float controllerDeadZone();
// A shake runs; once it ends the offset walks back to (0, 0).
bool isShaking();

Vec2 position();
void setPosition(Vec2 position);
// Degrees; gravity turns with it.
float angle();
void setAngle(float degrees);
float turnRate();
float zoom();
Vec2 shakeOffset();
// Position plus shake offset: the centre every other module uses.
Vec2 centre();

// The world units the window shows at zoom 1: 600 high for a landscape window, 800 wide
// for a portrait or square one.
float viewWidth();
float viewHeight();

// `v` turned by the camera's angle: how the view, and gravity with it, are turned.
Vec2 turned(Vec2 v);

// The view as it stands: a rectangle of the view size times the zoom, turned by the angle,
// around the camera centre. Taken once per step by whatever culls against the view.
class ViewRectangle {
 public:
  ViewRectangle();
  // `p` lies more than `margin` outside one of the rectangle's edges.
  bool farOutside(Vec2 p, float margin) const;

 private:
  Vec2 edgePoint_[4];
  Vec2 inward_[4];  // unit normals into the rectangle
};

}  // namespace camera
