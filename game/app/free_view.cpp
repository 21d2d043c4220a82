#include "game/app/free_view.h"

#include <algorithm>
#include <array>

#include "game/console/console.h"
#include "game/platform/virtual_keys.h"
#include "game/platform/window.h"

namespace free_view {
namespace {

// How far the view zooms in and out.
constexpr float kZoomLow = 0.01f;
constexpr float kZoomHigh = 100.0f;
constexpr float kSpeed = 500.0f;
constexpr float kZoomRate = 5.0f;

struct View {
  bool on = false;
  float x = 0.0f;
  float y = 0.0f;
  float zoom = 1.0f;
  bool readout = true;
};

View& view() {
  static View instance;
  return instance;
}

bool freeCamera(bool value, bool set) {
  return console::variableValue(view().on, value, set);
}
// Where the free view looks and how far it is zoomed, so a script can frame a whole level.
float freeCameraX(float value, bool set) {
  return console::variableValue(view().x, value, set);
}
float freeCameraY(float value, bool set) {
  return console::variableValue(view().y, value, set);
}
float freeCameraZoom(float value, bool set) {
  const float zoom = set ? std::clamp(value, kZoomLow, kZoomHigh) : value;
  return console::variableValue(view().zoom, zoom, set);
}
bool freeCameraReadout(bool value, bool set) {
  return console::variableValue(view().readout, value, set);
}

const std::array<console::NamedCommand, 5> kEntries = {{
    {"FreeCamera", freeCamera},
    {"FreeCameraX", freeCameraX},
    {"FreeCameraY", freeCameraY},
    {"FreeCameraZoom", freeCameraZoom},
    {"FreeCameraReadout", freeCameraReadout},
}};

}  // namespace

void registerConsoleEntries() {
  console::addCommands(kEntries);
}

void removeConsoleEntries() {
  console::removeCommands(kEntries);
}

void leave() {
  View& v = view();
  v.on = false;
  v.x = v.y = 0.0f;
  v.zoom = 1.0f;
}

bool isOn() {
  return view().on;
}

Vec2 centre() {
  return {view().x, view().y};
}

float zoom() {
  return view().zoom;
}

bool showsReadout() {
  return view().readout;
}

void move(float frameTime) {
  View& v = view();
  const float step = kSpeed / v.zoom * frameTime;
  if (window::isKeyDown(vk::kUp)) v.y -= step;
  if (window::isKeyDown(vk::kDown)) v.y += step;
  if (window::isKeyDown(vk::kLeft)) v.x -= step;
  if (window::isKeyDown(vk::kRight)) v.x += step;
  const float zoomFactor = 1.0f + kZoomRate * frameTime;
  if (window::isKeyDown(vk::kPageUp)) v.zoom *= zoomFactor;
  if (window::isKeyDown(vk::kPageDown)) v.zoom /= zoomFactor;
  v.zoom = std::clamp(v.zoom, kZoomLow, kZoomHigh);
}

void reset() {
  view() = View();
}

}  // namespace free_view
