#include "game/simulation/player_settings.h"

#include <algorithm>
#include <array>
#include <string>

#include "common/registry_key.h"
#include "common/text.h"
#include "game/console/console.h"
#include "game/platform/music.h"
#include "game/platform/platform_services.h"
#include "game/platform/sound_list.h"
#include "game/world/camera.h"

namespace player_settings {
namespace {

bool contrastHigh = false;
bool hudShown = true;
bool storing = false;
int effectsVolumeSteps = kMaxVolume;
int musicVolumeSteps = kMaxVolume;

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
  return contrastHigh;
}

bool hudDrawVariable(bool value, bool set) {
  if (set) setHudDraw(value);
  return hudShown;
}

float deadZoneVariable(float value, bool set) {
  if (set) setControllerDeadZone(value);
  return camera::controllerDeadZone();
}

void controllerList() {
  const std::vector<std::string> names = platform::services().controllerNames();
  if (names.empty()) console::print("\nNo game controller is plugged in.");
  for (const std::string& name : names) console::print("\n" + name);
}

const std::array<console::NamedCommand, 5> kEntries = {{
    {"ReducedMotion", reducedMotionVariable},
    {"HighContrast", highContrastVariable},
    {"HudDraw", hudDrawVariable},
    {"ControllerDeadZone", deadZoneVariable},
    {"ControllerList", controllerList},
}};

void readSwitch(const RegistryKey& key, std::string_view name, void (*apply)(bool)) {
  const std::string text = key.readString(name);
  if (key.hasValue(name) && isInteger(text)) apply(toInteger(text) != 0);
}

// A stored volume must be a whole number within 0..kMaxVolume; anything else is reported and
// the full volume is used.
void readVolume(const RegistryKey& key, std::string_view name, void (*apply)(int)) {
  if (!key.hasValue(name)) return;
  const std::string text = key.readString(name);
  if (isInteger(text) && toInteger(text) >= 0 && toInteger(text) <= kMaxVolume) {
    apply(int(toInteger(text)));
    return;
  }
  const std::string full = std::to_string(kMaxVolume);
  console::print("\nThe stored " + std::string(name) + " \"" + text +
                 "\" is not a whole number from 0 to " + full + "; it is " + full + ".");
  apply(kMaxVolume);
}

float shareOf(int volume) {
  return float(volume) / float(kMaxVolume);
}

}  // namespace

void loadPreferences() {
  storing = false;
  const RegistryKey key = openKeyPath(kPreferencesKeyPath);
  readSwitch(key, "ReducedMotion", setReducedMotion);
  readSwitch(key, "HighContrast", setHighContrast);
  readSwitch(key, "HudDraw", setHudDraw);
  const std::string deadZone = key.readString("ControllerDeadZone");
  if (isNumber(deadZone)) setControllerDeadZone(toNumber(deadZone));
  readVolume(key, "SoundVolume", setSoundVolume);
  readVolume(key, "MusicVolume", setMusicVolume);
  storing = true;
}

void resetToDefaults() {
  storing = false;
  contrastHigh = false;
  hudShown = true;
  camera::setReducedMotion(false);
  camera::setControllerDeadZone(camera::kDefaultControllerDeadZone);
  setSoundVolume(kMaxVolume);
  setMusicVolume(kMaxVolume);
}

void registerConsoleEntries() {
  console::addCommands(kEntries);
}

void removeConsoleEntries() {
  console::removeCommands(kEntries);
}

bool highContrast() {
  return contrastHigh;
}

void setHighContrast(bool on) {
  contrastHigh = on;
  store("HighContrast", switchText(on));
}

bool hudDraw() {
  return hudShown;
}

void setHudDraw(bool on) {
  hudShown = on;
  store("HudDraw", switchText(on));
}

void setControllerDeadZone(float share) {
  camera::setControllerDeadZone(share);
  store("ControllerDeadZone", shortestText(camera::controllerDeadZone()));
}

void setReducedMotion(bool on) {
  camera::setReducedMotion(on);
  store("ReducedMotion", switchText(on));
}

int soundVolume() {
  return effectsVolumeSteps;
}

void setSoundVolume(int volume) {
  effectsVolumeSteps = std::clamp(volume, 0, kMaxVolume);
  sound::setEffectsLoudness(shareOf(effectsVolumeSteps));
  store("SoundVolume", std::to_string(effectsVolumeSteps));
}

int musicVolume() {
  return musicVolumeSteps;
}

void setMusicVolume(int volume) {
  musicVolumeSteps = std::clamp(volume, 0, kMaxVolume);
  music::setMusicLoudness(shareOf(musicVolumeSteps));
  store("MusicVolume", std::to_string(musicVolumeSteps));
}

}  // namespace player_settings
