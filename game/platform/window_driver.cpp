// What the OpenGL driver offers: extensions, vertical sync and multisampling. A new sample
// count needs a new pixel format, which on every window system means a new window: the old
// one is saved, destroyed and built again around the new format.

#include <GL/gl.h>
#include <SDL.h>

#include <string>

#include "game/platform/extension_list.h"
#include "game/platform/gl_state.h"
#include "game/platform/window.h"
#include "game/platform/window_state.h"

namespace window {
namespace {

using detail::PixelFormat;
using detail::state;

// What survives a window's recreation.
struct SavedWindow {
  std::string title;
  int32_t cursorMode = 1;
  bool fullscreen = false;
  int32_t clientWidth = 0;
  int32_t clientHeight = 0;
  int32_t x = 0;
  int32_t y = 0;
  GLWindowEventListener* listener = nullptr;
};

SavedWindow saveWindow() {
  detail::WindowState& s = state();
  int width = 0, height = 0;
  SDL_GetWindowSize(s.window, &width, &height);
  return {getTitle(), s.cursorMode, s.fullscreen, width, height, windowX(), windowY(), s.listener};
}

void restoreWindow(const SavedWindow& saved) {
  setPosition(saved.x, saved.y);
  setClientSize(saved.clientWidth, saved.clientHeight);
  setTitle(saved.title);
  setCursorMode(saved.cursorMode);
  state().listener = saved.listener;
  // With the flag off this puts the windowed style back and centres the window.
  setFullscreen(saved.fullscreen, saved.clientWidth, saved.clientHeight);
}

// The destruction isn't reported to the listener: the game goes on in the new window.
// False, with no window left, only when not even the new window could be made.
bool recreateWindow(const PixelFormat& format) {
  const SavedWindow saved = saveWindow();
  state().listener = nullptr;
  detail::tearDown();
  state().sampleCount = format.samples >= 2 ? format.samples : 1;
  // Made at its old size straight away: a resize reaches the X server later than the
  // first frame drawn into the new window.
  detail::OpenedWindow opened =
      detail::openSdlWindow(format, saved.clientWidth, saved.clientHeight);
  if (opened.window == nullptr || opened.context == nullptr) {
    if (opened.window != nullptr) SDL_DestroyWindow(opened.window);
    state().sampleCount = 1;
    opened = detail::openSdlWindow({}, saved.clientWidth, saved.clientHeight);
  }
  if (opened.window == nullptr || opened.context == nullptr) return false;
  detail::adoptWindow(opened);
  restoreWindow(saved);
  gl_state::setup2DProjection();
  return true;
}

// The multisampled format is asked of the driver before the window goes, so a refusal
// leaves the window as it was.
bool tryMultisampling(int32_t samples) {
  PixelFormat format;
  format.samples = samples;
  if (!detail::probePixelFormat(format)) return false;
  return recreateWindow(format) && state().sampleCount == samples;
}

}  // namespace

std::string getExtensionList() {
  if (!isWindowOpen()) return {};
  const auto* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  return extensions != nullptr ? extensions : "";
}

bool hasExtension(std::string_view name) {
  if (!isWindowOpen()) return false;
  const auto* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  return extensions != nullptr && extensionListHas(extensions, name);
}

// A driver that won't set swap intervals is reported as syncing, which is what drivers
// without the control do.
bool getVsync() {
  if (!isWindowOpen() || !state().swapControl) return true;
  return SDL_GL_GetSwapInterval() > 0;
}

void setVsync(bool on) {
  if (!isWindowOpen() || !state().swapControl) return;
  SDL_GL_SetSwapInterval(on ? 1 : 0);
}

bool setSampleCount(int32_t samples) {
  if (!isWindowOpen()) return false;
  if (samples == 0) samples = 1;
  const int32_t previous = state().sampleCount;
  if (samples == previous) return true;
  if (samples < 2) return recreateWindow({});
  if (tryMultisampling(samples)) return true;
  if (previous != 1) tryMultisampling(previous);
  return false;
}

int32_t getSampleCount() {
  return state().sampleCount;
}

}  // namespace window
