#include "game/core/player_settings.h"

#include <algorithm>
#include <array>
#include <string>

#include "common/registry_key.h"
#include "common/text.h"
#include "game/console/console.h"
#include "game/core/camera.h"

namespace player_settings {
namespace {

constexpr float kMaxDeadZone = 0.9f;

struct Settings {
  bool highContrast = false;
  float deadZone = kDefaultDeadZone;
};

Settings settings;
bool storing = false;

void store(std::string_view name, const std::string& text) {
  if (storing) createKeyPath(kPreferencesKeyPath).writeString(name, text);
}

std::string switchText(bool on) {
  return on ? "1" : "0";
}

bool reducedMotionVariable(bool value, bool set) {
  if (set) setReducedMotion(value);
  return camera::reducedMotion();
}

bool highContrastVariable(bool value, bool set) {
  if (set) setHighContrast(value);
  return settings.highContrast;
}

float deadZoneVariable(float value, bool set) {
  if (set) setControllerDeadZone(value);
  return settings.deadZone;
}

const std::array<console::NamedCommand, 3> kEntries = {{
    {"ReducedMotion", reducedMotionVariable},
    {"HighContrast", highContrastVariable},
    {"ControllerDeadZone", deadZoneVariable},
}};

void readSwitch(const RegistryKey& key, std::string_view name, void (*apply)(bool)) {
  const std::string text = key.readString(name);
  if (key.hasValue(name) && isInteger(text)) apply(toInteger(text) != 0);
}

}  // namespace

void loadPreferences() {
  storing = false;
  const RegistryKey key = openKeyPath(kPreferencesKeyPath);
  readSwitch(key, "ReducedMotion", setReducedMotion);
  readSwitch(key, "HighContrast", setHighContrast);
  const std::string deadZone = key.readString("ControllerDeadZone");
  if (isNumber(deadZone)) setControllerDeadZone(toNumber(deadZone));
  storing = true;
}

void resetToDefaults() {
  storing = false;
  settings = Settings{};
  camera::setReducedMotion(false);
}

void registerConsoleEntries() {
  console::addCommands(kEntries);
}

void removeConsoleEntries() {
  console::removeCommands(kEntries);
}

bool highContrast() {
  return settings.highContrast;
}

void setHighContrast(bool on) {
  settings.highContrast = on;
  store("HighContrast", switchText(on));
}

float controllerDeadZone() {
  return settings.deadZone;
}

// A dead zone of the whole travel would leave the controller dead.
void setControllerDeadZone(float share) {
  settings.deadZone = std::clamp(share, 0.0f, kMaxDeadZone);
  store("ControllerDeadZone", shortestText(settings.deadZone));
}

void setReducedMotion(bool on) {
  camera::setReducedMotion(on);
  store("ReducedMotion", switchText(on));
}

}  // namespace player_settings
