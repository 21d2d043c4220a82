// The message pump: SDL's events become the listener's ten calls, the key state and the
// pointer position, in the order they happened. Only the events queued when the pump starts
// are handled, so a listener that injects events in its handlers can't keep it running.

#include <SDL.h>

#include <optional>
#include <string_view>

#include "game/platform/key_translation.h"
#include "game/platform/window.h"
#include "game/platform/window_state.h"

namespace window {
namespace detail {
namespace {

template <typename Call>
void notify(Call call) {
  if (GLWindowEventListener* listener = state().listener) call(*listener);
}

bool belongsToWindow(uint32_t eventWindowId) {
  return eventWindowId == 0 || eventWindowId == windowId();
}

void storeMouse(int32_t x, int32_t y) {
  WindowState& s = state();
  s.mouseX = x;
  s.mouseY = y;
  s.pointerInside = x >= 0 && y >= 0 && x < clientWidth() && y < clientHeight();
}

int32_t buttonCode(uint8_t sdlButton) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT: return kLeftButton;
    case SDL_BUTTON_RIGHT: return kRightButton;
    case SDL_BUTTON_MIDDLE: return kMiddleButton;
    default: return 0;
  }
}

void mouseButton(const SDL_MouseButtonEvent& event) {
  const int32_t button = buttonCode(event.button);
  if (button == 0) return;
  storeMouse(event.x, event.y);
  if (event.type == SDL_MOUSEBUTTONDOWN) {
    notify([&](auto& l) { l.onMouseDown(event.x, event.y, button); });
  } else {
    notify([&](auto& l) { l.onMouseUp(event.x, event.y, button); });
  }
}

void mouseMove(const SDL_MouseMotionEvent& event) {
  storeMouse(event.x, event.y);
  notify([&](auto& l) { l.onMouseMove(event.x, event.y); });
}

// SDL queues the text a key writes right behind its key-down; reading it before the
// listener hears of the key lets keyToChar answer inside onKeyDown.
void rememberTextOfPress(int32_t virtualKey) {
  SDL_Event next;
  const bool textFollows =
      SDL_PeepEvents(&next, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1 &&
      next.type == SDL_TEXTINPUT;
  if (textFollows) {
    state().keyboard.rememberText(virtualKey, next.text.text);
  } else {
    state().keyboard.forgetText(virtualKey);
  }
}

// Injected keys write what a US keyboard writes with the injected modifiers; control alone
// writes nothing, as on a real keyboard.
void rememberInjectedText(int32_t virtualKey) {
  KeyboardState& keyboard = state().keyboard;
  const uint16_t modifiers = keyboard.modifiers();
  const bool controlAlone = (modifiers & KMOD_CTRL) != 0 && (modifiers & KMOD_ALT) == 0;
  const char c =
      keys::usCharOf(virtualKey, (modifiers & KMOD_SHIFT) != 0, (modifiers & KMOD_CAPS) != 0);
  if (c == 0 || controlAlone) {
    keyboard.forgetText(virtualKey);
  } else {
    keyboard.rememberText(virtualKey, std::string_view(&c, 1));
  }
}

std::optional<uint16_t> reportedModifiers(const SDL_Keysym& keysym) {
  if (keysym.unused == kInjectedKeyMarker) return std::nullopt;
  return keysym.mod;
}

// Keys the game makes up keep the code they were made with, whatever the lock state.
int32_t virtualKeyOfEvent(const SDL_Keysym& keysym) {
  if (keysym.unused == kInjectedKeyMarker) return keys::virtualKeyOf(keysym.scancode, keysym.sym);
  return keys::virtualKeyOf(keysym.scancode, keysym.sym, (keysym.mod & KMOD_NUM) != 0);
}

void keyDown(const SDL_KeyboardEvent& event) {
  const int32_t virtualKey = virtualKeyOfEvent(event.keysym);
  if (virtualKey == 0) return;
  WindowState& s = state();
  s.lastKey = virtualKey;
  s.keyboard.press(event.keysym.scancode, virtualKey, reportedModifiers(event.keysym));
  if (event.keysym.unused == kInjectedKeyMarker) {
    rememberInjectedText(virtualKey);
  } else {
    rememberTextOfPress(virtualKey);
  }
  notify([&](auto& l) { l.onKeyDown(virtualKey); });
}

void keyUp(const SDL_KeyboardEvent& event) {
  const int32_t translated = virtualKeyOfEvent(event.keysym);
  const int32_t virtualKey =
      state().keyboard.release(event.keysym.scancode, translated, reportedModifiers(event.keysym));
  if (virtualKey != 0) notify([&](auto& l) { l.onKeyUp(virtualKey); });
}

// The pointer over the client shows the game's chosen cursor; elsewhere the arrow, which
// then also becomes the chosen one until the game chooses again.
void paint() {
  setCursorMode(isCursorInClient() ? state().cursorMode : 1);
  notify([](auto& l) { l.onPaint(); });
}

// The listener hears of a close request first; then the window closes, as the default
// handling of a close does, unless the listener has closed it already.
void close() {
  notify([](auto& l) { l.onClose(); });
  destroyWindow();
}

void focusLost() {
  WindowState& s = state();
  s.foreground = false;
  s.focusLossPending = true;
  s.keyboard.releaseAll();
}

void focusGained() {
  WindowState& s = state();
  s.foreground = true;
  s.keyboard.setModifiers(uint16_t(SDL_GetModState()));
}

void windowEvent(const SDL_WindowEvent& event) {
  switch (event.event) {
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      notify([](auto& l) { l.onResize(); });
      applyViewport();
      break;
    case SDL_WINDOWEVENT_EXPOSED: paint(); break;
    case SDL_WINDOWEVENT_CLOSE: close(); break;
    case SDL_WINDOWEVENT_FOCUS_LOST: focusLost(); break;
    case SDL_WINDOWEVENT_FOCUS_GAINED: focusGained(); break;
    case SDL_WINDOWEVENT_ENTER: state().pointerInside = true; break;
    case SDL_WINDOWEVENT_LEAVE: state().pointerInside = false; break;
    default: break;
  }
}

// A window that lost the foreground gets out of the way once and the game pauses; it is
// not minimised again on later frames.
void applyFocusRule() {
  WindowState& s = state();
  if (!s.focusLossPending || s.window == nullptr) return;
  s.focusLossPending = false;
  if (s.foreground || isMinimized()) return;
  minimizeWindow();
  notify([](auto& l) { l.onFocusLost(); });
}

}  // namespace

void translateEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_WINDOWEVENT:
      if (belongsToWindow(event.window.windowID)) windowEvent(event.window);
      break;
    case SDL_KEYDOWN:
      if (belongsToWindow(event.key.windowID)) keyDown(event.key);
      break;
    case SDL_KEYUP:
      if (belongsToWindow(event.key.windowID)) keyUp(event.key);
      break;
    case SDL_TEXTINPUT:
      if (belongsToWindow(event.text.windowID)) {
        state().keyboard.rememberText(state().lastKey, event.text.text);
      }
      break;
    case SDL_MOUSEMOTION:
      if (belongsToWindow(event.motion.windowID)) mouseMove(event.motion);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      if (belongsToWindow(event.button.windowID)) mouseButton(event.button);
      break;
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: controllerEvent(event); break;
    // With the last-window quit turned off, SDL_QUIT only comes from a signal.
    case SDL_QUIT: close(); break;
    default: break;
  }
}

}  // namespace detail

void pumpMessages() {
  if (!isWindowOpen()) return;
  SDL_PumpEvents();
  const int pending = SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
  for (int i = 0; i < pending && isWindowOpen(); ++i) {
    SDL_Event event;
    if (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) != 1) break;
    detail::translateEvent(event);
  }
  detail::applyFocusRule();
}

}  // namespace window
