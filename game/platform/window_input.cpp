// The pulled side of input: cursor shapes, the pointer, the key state, and the events the
// game makes up itself, which travel through SDL's queue like the user's.

#include <SDL.h>

#include "game/platform/key_translation.h"
#include "game/platform/window.h"
#include "game/platform/window_state.h"

namespace window {
namespace {

using detail::state;

constexpr int32_t kHiddenCursor = 0;
constexpr int32_t kCrosshairCursor = 2;

SDL_Cursor* systemCursor(int32_t mode) {
  detail::WindowState& s = state();
  SDL_Cursor*& cursor = mode == kCrosshairCursor ? s.crossCursor : s.arrowCursor;
  if (cursor == nullptr) {
    cursor = SDL_CreateSystemCursor(mode == kCrosshairCursor ? SDL_SYSTEM_CURSOR_CROSSHAIR
                                                             : SDL_SYSTEM_CURSOR_ARROW);
  }
  return cursor;
}

void applyCursorShape(int32_t mode) {
  if (mode == kHiddenCursor) {
    SDL_ShowCursor(SDL_DISABLE);
    return;
  }
  if (SDL_Cursor* cursor = systemCursor(mode)) SDL_SetCursor(cursor);
  SDL_ShowCursor(SDL_ENABLE);
}

void pushEvent(SDL_Event& event) {
  if (isWindowOpen()) SDL_PushEvent(&event);
}

uint8_t sdlButton(int32_t button) {
  switch (button) {
    case kLeftButton: return SDL_BUTTON_LEFT;
    case kRightButton: return SDL_BUTTON_RIGHT;
    case kMiddleButton: return SDL_BUTTON_MIDDLE;
    default: return 0;
  }
}

}  // namespace

void setCursorMode(int32_t mode) {
  if (mode < kHiddenCursor || mode > kCrosshairCursor) return;
  if (isWindowOpen()) applyCursorShape(mode);
  state().cursorMode = mode;
}

int32_t getCursorMode() {
  return state().cursorMode;
}

int32_t cursorX() {
  return state().mouseX;
}

int32_t cursorY() {
  return state().mouseY;
}

int32_t clientCentreX() {
  return clientWidth() / 2;
}

int32_t clientCentreY() {
  return clientHeight() / 2;
}

bool isCursorInClient() {
  const detail::WindowState& s = state();
  return isWindowOpen() && s.pointerInside && s.mouseX >= 0 && s.mouseY >= 0 &&
         s.mouseX < clientWidth() && s.mouseY < clientHeight();
}

// The pointer is known at the centre at once; the motion event the warp causes repeats it.
void centerMouse() {
  if (!isWindowOpen()) return;
  detail::WindowState& s = state();
  s.mouseX = clientWidth() / 2;
  s.mouseY = clientHeight() / 2;
  s.pointerInside = true;
  SDL_WarpMouseInWindow(s.window, s.mouseX, s.mouseY);
}

void releaseCursorClip() {
  if (!isWindowOpen()) return;
  SDL_SetWindowMouseRect(state().window, nullptr);
  SDL_SetWindowGrab(state().window, SDL_FALSE);
}

bool isKeyDown(int32_t virtualKey) {
  return state().keyboard.isDown(virtualKey);
}

bool isKeyToggled(int32_t virtualKey) {
  return state().keyboard.isToggled(virtualKey);
}

char keyToChar(int32_t virtualKey) {
  const KeyboardState& keyboard = state().keyboard;
  const int32_t remembered = keyboard.rememberedChar(virtualKey);
  if (remembered != KeyboardState::kNoText) return char(remembered);
  const SDL_Scancode scancode = keys::scancodeOf(virtualKey);
  const SDL_Keycode layoutKey =
      scancode == SDL_SCANCODE_UNKNOWN ? SDLK_UNKNOWN : SDL_GetKeyFromScancode(scancode);
  return keys::fallbackCharOf(virtualKey, keyboard.modifiers(), layoutKey);
}

void injectKey(int32_t virtualKey, bool down) {
  const SDL_Scancode scancode = keys::scancodeOf(virtualKey);
  if (scancode == SDL_SCANCODE_UNKNOWN) return;
  SDL_Event event{};
  event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  event.key.windowID = detail::windowId();
  event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.key.keysym.scancode = scancode;
  event.key.keysym.sym = keys::usKeycodeOf(virtualKey);
  event.key.keysym.unused = detail::kInjectedKeyMarker;
  pushEvent(event);
}

void injectMouseMove(int32_t x, int32_t y) {
  SDL_Event event{};
  event.type = SDL_MOUSEMOTION;
  event.motion.windowID = detail::windowId();
  event.motion.x = x;
  event.motion.y = y;
  event.motion.xrel = x - state().mouseX;
  event.motion.yrel = y - state().mouseY;
  pushEvent(event);
}

void injectMouseButton(int32_t x, int32_t y, int32_t button, bool down) {
  const uint8_t sdlButtonCode = sdlButton(button);
  if (sdlButtonCode == 0) return;
  SDL_Event event{};
  event.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  event.button.windowID = detail::windowId();
  event.button.button = sdlButtonCode;
  event.button.state = down ? SDL_PRESSED : SDL_RELEASED;
  event.button.clicks = 1;
  event.button.x = x;
  event.button.y = y;
  pushEvent(event);
}

}  // namespace window
