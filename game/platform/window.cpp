#include "game/platform/window.h"

#include <GL/gl.h>
#include <SDL.h>
#include <SDL_syswm.h>

#include <cstdlib>

#include "common/console_output.h"
#include "game/platform/gl_state.h"
#include "game/platform/window_services.h"
#include "game/platform/window_state.h"

namespace window {
namespace detail {

WindowState& state() {
  static WindowState instance;
  return instance;
}

namespace {

constexpr const char* kDefaultTitle = "Untitled window";

void setPixelFormatAttributes(const PixelFormat& format) {
  SDL_GL_ResetAttributes();
  // A 2.1 context without a profile: the fixed-function pipeline the renderers use.
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  const int accumulationBits = format.accumulation ? 8 : 0;
  SDL_GL_SetAttribute(SDL_GL_ACCUM_RED_SIZE, accumulationBits);
  SDL_GL_SetAttribute(SDL_GL_ACCUM_GREEN_SIZE, accumulationBits);
  SDL_GL_SetAttribute(SDL_GL_ACCUM_BLUE_SIZE, accumulationBits);
  SDL_GL_SetAttribute(SDL_GL_ACCUM_ALPHA_SIZE, accumulationBits);
  const bool multisample = format.samples >= 2;
  SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, multisample ? 1 : 0);
  SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, multisample ? format.samples : 0);
}

SDL_Window* createHiddenWindow(const PixelFormat& format, int32_t width, int32_t height) {
  setPixelFormatAttributes(format);
  return SDL_CreateWindow(kDefaultTitle, 0, 0, width, height,
                          SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
}

void reportDroppedAccumulation(const PixelFormat& format) {
  if (format.samples >= 2) {
    console::print(
        "\nThe display offers no pixel format with both an accumulation buffer and "
        "multisampling; the window goes without the accumulation buffer.");
  } else {
    console::print(
        "\nThe display offers no pixel format with an accumulation buffer; the window goes "
        "without one.");
  }
}

[[noreturn]] void failCreation(std::string_view text, std::string_view caption) {
  showError(text, caption);
  std::exit(1);
}

bool initialiseVideo() {
  // Closing the window arrives as the window's own close event; SDL_QUIT then means a signal.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  return SDL_WasInit(SDL_INIT_VIDEO) != 0 || SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

// The X11 (or Wayland) handles behind the SDL window, the device context of this system.
bool hasNativeHandles(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  return SDL_GetWindowWMInfo(window, &info) == SDL_TRUE;
}

void enableMultisampling(int32_t samples) {
  if (samples >= 2) {
    glEnable(GL_MULTISAMPLE);
  } else {
    glDisable(GL_MULTISAMPLE);
  }
}

// Whether the driver takes swap intervals at all; it is asked once per context.
bool driverControlsSwapInterval() {
  return SDL_GL_SetSwapInterval(SDL_GL_GetSwapInterval()) == 0;
}

}  // namespace

OpenedWindow openSdlWindow(const PixelFormat& format, int32_t width, int32_t height) {
  OpenedWindow opened;
  opened.window = createHiddenWindow(format, width, height);
  if (opened.window == nullptr && format.accumulation) {
    PixelFormat withoutAccumulation = format;
    withoutAccumulation.accumulation = false;
    opened.window = createHiddenWindow(withoutAccumulation, width, height);
    if (opened.window != nullptr) reportDroppedAccumulation(format);
  }
  if (opened.window == nullptr) return opened;
  int accumulationBits = 0;
  opened.context = SDL_GL_CreateContext(opened.window);
  SDL_GL_GetAttribute(SDL_GL_ACCUM_RED_SIZE, &accumulationBits);
  opened.accumulation = accumulationBits > 0;
  return opened;
}

bool probePixelFormat(PixelFormat& format) {
  SDL_Window* probe = createHiddenWindow(format, 1, 1);
  if (probe == nullptr && format.accumulation) {
    format.accumulation = false;
    probe = createHiddenWindow(format, 1, 1);
    if (probe != nullptr) reportDroppedAccumulation(format);
  }
  if (probe == nullptr) return false;
  SDL_DestroyWindow(probe);
  return true;
}

void adoptWindow(const OpenedWindow& opened) {
  WindowState& s = state();
  s.window = opened.window;
  s.context = opened.context;
  s.accumulation = opened.accumulation;
  s.keyboard.releaseAll();
  s.keyboard.setModifiers(uint16_t(SDL_GetModState()));
  s.swapControl = driverControlsSwapInterval();
  enableMultisampling(s.sampleCount);
  SDL_ShowWindow(s.window);
  SDL_RaiseWindow(s.window);
  SDL_SetWindowInputFocus(s.window);
  s.foreground = (SDL_GetWindowFlags(s.window) & SDL_WINDOW_INPUT_FOCUS) != 0;
  SDL_StartTextInput();
  installWindowServices();
}

void tearDown() {
  WindowState& s = state();
  if (s.fullscreen) {
    setFullscreen(false, 640, 480);
    s.fullscreen = false;
  }
  removeWindowServices();
  SDL_StopTextInput();
  SDL_GL_MakeCurrent(s.window, nullptr);
  SDL_GL_DeleteContext(s.context);
  SDL_DestroyWindow(s.window);
  s.window = nullptr;
  s.context = nullptr;
  s.listener = nullptr;
  s.cursorMode = 1;
  s.focusLossPending = false;
  s.keyboard.releaseAll();
  SDL_FreeCursor(s.arrowCursor);
  SDL_FreeCursor(s.crossCursor);
  s.arrowCursor = nullptr;
  s.crossCursor = nullptr;
}

void applyViewport() {
  glViewport(0, 0, clientWidth(), clientHeight());
}

void refreshDrawable() {
  if (state().window != nullptr) SDL_GL_MakeCurrent(state().window, state().context);
}

uint32_t windowId() {
  return state().window != nullptr ? SDL_GetWindowID(state().window) : 0;
}

}  // namespace detail

using detail::state;

void createWindow(std::string_view title, int32_t width, int32_t height) {
  if (isWindowOpen()) return;
  if (!detail::initialiseVideo()) {
    detail::failCreation("Unable to create window: couldn't get program handle.", "Game error");
  }
  if (SDL_GL_LoadLibrary(nullptr) != 0) {
    detail::failCreation("Unable to create window: couldn't register window class.", "Error");
  }
  detail::WindowState& s = state();
  s.sampleCount = 1;
  const detail::OpenedWindow opened = detail::openSdlWindow({}, width, height);
  if (opened.window == nullptr) detail::failCreation("Unable to create window.", "Error");
  s.cursorMode = 1;
  s.mouseX = 0;
  s.mouseY = 0;
  s.pointerInside = false;
  if (!detail::hasNativeHandles(opened.window)) {
    detail::failCreation("Unable to create window: could not get the device context.", "Error");
  }
  if (opened.context == nullptr) {
    detail::failCreation("Unable to create window. Could not create an OpenGL rendering context.",
                         "Error");
  }
  detail::adoptWindow(opened);
  detail::startControllers();
  detail::applyViewport();
  gl_state::setup2DProjection();
  s.lastKey = 0;
  centerWindow();
  setClientSize(width, height);
  setTitle(title);
}

void destroyWindow() {
  detail::WindowState& s = state();
  if (s.window == nullptr) return;
  // The listener is let go first, so one that destroys the window itself isn't told twice.
  GLWindowEventListener* listener = s.listener;
  s.listener = nullptr;
  if (listener != nullptr) listener->onDestroy();
  if (s.window == nullptr) return;
  detail::tearDown();
  detail::stopControllers();
  SDL_GL_UnloadLibrary();
}

bool isWindowOpen() {
  return state().window != nullptr;
}

void requestRedraw() {
  if (!isWindowOpen()) return;
  SDL_Event expose{};
  expose.type = SDL_WINDOWEVENT;
  expose.window.event = SDL_WINDOWEVENT_EXPOSED;
  expose.window.windowID = detail::windowId();
  SDL_PushEvent(&expose);
}

void setEventListener(GLWindowEventListener* listener) {
  state().listener = listener;
}

GLWindowEventListener* getEventListener() {
  return state().listener;
}

void swapBuffers() {
  if (isWindowOpen()) SDL_GL_SwapWindow(state().window);
}

SDL_Window* sdlWindow() {
  return state().window;
}

void releaseContext() {
  if (isWindowOpen()) SDL_GL_MakeCurrent(state().window, nullptr);
}

void restoreContext() {
  detail::refreshDrawable();
}

}  // namespace window
