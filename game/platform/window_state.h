#pragma once
// The window layer's shared state and the steps its files share. Only the window layer's
// own files include this; everyone else goes through window.h.

#include <SDL.h>

#include <cstdint>
#include <vector>

#include "game/platform/keyboard_state.h"
#include "game/platform/window.h"

namespace window::detail {

// What a window's OpenGL pixel format asks for beyond the fixed RGBA 8888, depth 24,
// stencil 8, double buffer.
struct PixelFormat {
  int32_t samples = 1;  // below 2: no multisampling
  bool accumulation = true;
};

// Key events the game makes up carry this in their keysym's spare field: their modifiers
// and text follow from the injected keys rather than from the desktop.
constexpr uint32_t kInjectedKeyMarker = 0x564D5249;

struct WindowState {
  SDL_Window* window = nullptr;
  SDL_GLContext context = nullptr;
  GLWindowEventListener* listener = nullptr;
  // Client coordinates of the last mouse event, and whether the pointer is over the client.
  int32_t mouseX = 0;
  int32_t mouseY = 0;
  bool pointerInside = false;
  int32_t lastKey = 0;
  bool fullscreen = false;
  int32_t cursorMode = 1;
  int32_t sampleCount = 1;
  bool accumulation = true;
  // Tracked from the focus events (real or injected), so a lost focus is seen even where
  // the window manager can't take it away.
  bool foreground = false;
  bool focusLossPending = false;
  // False once the driver has refused a swap interval; vertical sync then reads as on.
  bool swapControl = true;
  KeyboardState keyboard;
  SDL_Cursor* arrowCursor = nullptr;
  SDL_Cursor* crossCursor = nullptr;
  std::vector<SDL_GameController*> controllers;  // in the order they were plugged in
};

WindowState& state();

// Creates the SDL window (hidden, client size width x height) and its context, made
// current. A refused format with accumulation is tried again without it, which is said on
// the console. Null window when even that fails; null context when the window exists but
// no context could be made.
struct OpenedWindow {
  SDL_Window* window = nullptr;
  SDL_GLContext context = nullptr;
  bool accumulation = true;
};
OpenedWindow openSdlWindow(const PixelFormat& format, int32_t width, int32_t height);
// Whether the driver offers a window of this format, probed with a hidden window so the
// current one stays untouched. Leaves `format.accumulation` false when only the format
// without the accumulation buffer is offered.
bool probePixelFormat(PixelFormat& format);
// Shows the new window, makes it the one with the input, installs the services and starts
// text input; the rest of the state is the caller's.
void adoptWindow(const OpenedWindow& opened);
// Leaves full screen, deletes the context and the window and clears the state, as a
// destroyed window does; the services go back to the headless ones.
void tearDown();

// Viewport over the whole client area.
void applyViewport();
// Makes the driver take the window's new size at once rather than at the next swap, so the
// frame drawn right after a resize covers the whole client.
void refreshDrawable();
// Delivers one event to the key state, the pointer and the listener.
void translateEvent(const SDL_Event& event);
// The window id that events of this window carry.
uint32_t windowId();

// Game controllers: opened with the window (SDL then reports the ones already plugged in as
// added), followed while it lives, closed with it.
void startControllers();
void stopControllers();
// A controller plugged in, unplugged, or a button pressed or let go.
void controllerEvent(const SDL_Event& event);

}  // namespace window::detail
