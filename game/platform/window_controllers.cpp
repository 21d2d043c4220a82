// Game controllers through SDL's game controller layer, which gives every pad the same
// buttons and axes. The buttons that walk the menus arrive as the keys the menus already
// know, so every screen works with a pad without knowing of it; Start and Back have keys of
// their own, which the game gives a meaning by where the player is.

#include <SDL.h>

#include <algorithm>
#include <string>

#include "common/console_output.h"
#include "game/platform/virtual_keys.h"
#include "game/platform/window.h"
#include "game/platform/window_state.h"

namespace window {
namespace detail {
namespace {

constexpr float kFullAxis = 32767.0f;

std::string nameOf(SDL_GameController* controller) {
  const char* name = SDL_GameControllerName(controller);
  return name != nullptr ? name : "an unnamed controller";
}

template <typename Call>
void notify(Call call) {
  if (GLWindowEventListener* listener = state().listener) call(*listener);
}

int32_t keyOfButton(uint8_t button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_DPAD_UP: return vk::kUp;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return vk::kDown;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return vk::kLeft;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return vk::kRight;
    case SDL_CONTROLLER_BUTTON_A: return vk::kReturn;
    case SDL_CONTROLLER_BUTTON_B: return vk::kEscape;
    case SDL_CONTROLLER_BUTTON_START: return vk::kControllerStart;
    case SDL_CONTROLLER_BUTTON_BACK: return vk::kControllerBack;
    default: return 0;
  }
}

void added(int32_t deviceIndex) {
  SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
  if (controller == nullptr) return;
  std::vector<SDL_GameController*>& open = state().controllers;
  // SDL may report a pad both as present at start and as newly added.
  if (std::find(open.begin(), open.end(), controller) != open.end()) {
    SDL_GameControllerClose(controller);
    return;
  }
  open.push_back(controller);
  console::print("\nGame controller plugged in: " + nameOf(controller));
}

void removed(SDL_JoystickID id) {
  std::vector<SDL_GameController*>& open = state().controllers;
  const auto gone = std::find_if(open.begin(), open.end(), [id](SDL_GameController* c) {
    return SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(c)) == id;
  });
  if (gone == open.end()) return;
  console::print("\nGame controller unplugged: " + nameOf(*gone));
  SDL_GameControllerClose(*gone);
  open.erase(gone);
  notify([](auto& l) { l.onControllerRemoved(); });
}

void button(const SDL_ControllerButtonEvent& event) {
  const int32_t key = keyOfButton(event.button);
  if (key == 0) return;
  if (event.type == SDL_CONTROLLERBUTTONDOWN)
    notify([key](auto& l) { l.onKeyDown(key); });
  else
    notify([key](auto& l) { l.onKeyUp(key); });
}

float axis(SDL_GameController* controller, SDL_GameControllerAxis which) {
  return std::clamp(float(SDL_GameControllerGetAxis(controller, which)) / kFullAxis, -1.0f, 1.0f);
}

}  // namespace

void startControllers() {
  if (SDL_WasInit(SDL_INIT_GAMECONTROLLER) == 0) SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
}

// The layer is shut so that the next window hears again of the pads already plugged in.
void stopControllers() {
  for (SDL_GameController* controller : state().controllers) SDL_GameControllerClose(controller);
  state().controllers.clear();
  SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  SDL_FlushEvents(SDL_CONTROLLERAXISMOTION, SDL_CONTROLLERSENSORUPDATE);
}

void controllerEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED: added(event.cdevice.which); break;
    case SDL_CONTROLLERDEVICEREMOVED: removed(event.cdevice.which); break;
    default: button(event.cbutton); break;
  }
}

}  // namespace detail

std::vector<platform::ControllerAxes> controllerAxes() {
  std::vector<platform::ControllerAxes> axes;
  for (SDL_GameController* c : detail::state().controllers) {
    axes.push_back({detail::axis(c, SDL_CONTROLLER_AXIS_LEFTX),
                    detail::axis(c, SDL_CONTROLLER_AXIS_TRIGGERLEFT),
                    detail::axis(c, SDL_CONTROLLER_AXIS_TRIGGERRIGHT)});
  }
  return axes;
}

std::vector<std::string> controllerNames() {
  std::vector<std::string> names;
  for (SDL_GameController* c : detail::state().controllers) names.push_back(detail::nameOf(c));
  return names;
}

}  // namespace window
