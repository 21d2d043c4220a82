#include "game/platform/music.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "common/command_registry.h"
#include "common/console_output.h"
#include "common/data_path.h"
#include "common/registry_key.h"
#include "common/text.h"
#include "game/platform/music_device.h"

namespace music {

namespace {

// Where the game keeps the player's choices; the launcher reads the same key.
constexpr std::string_view kPreferencesKey = "software/Vellmoor/Preferences";

struct MusicState {
  std::unique_ptr<MusicDevice> device;
  bool initialised = false;
  bool hasStream = false;
  bool loop = false;
  uint32_t savedPosition = 0;
  uint8_t volume = 255;
  float loudness = 1.0f;
};

MusicState& state() {
  static MusicState instance;
  return instance;
}

// ---- Console entries --------------------------------------------------------------------

// Read-only: an assignment answers with the flag as it is.
bool initialisedVariable(bool, bool) {
  return state().initialised;
}

void playCommand(const std::string& file) {
  if (file.empty()) return console::print("\nUSAGE: MusicPlay < file name >");
  console::print(playMusic(file, true) ? "\nFile opened successfully." : "\nFailed to open file.");
}

int32_t volumeVariable(int32_t volume, bool set) {
  if (set) setMusicVolume(uint8_t(std::clamp(volume, 0, 255)));
  return getMusicVolume();
}

const console::NamedCommand kEntries[] = {
    {"MusicSystemInitialised", initialisedVariable},
    {"MusicPlay", playCommand},
    {"MusicVolume", volumeVariable},
};

// A stored value that reads as a number switches the music fully on or off; anything else
// leaves it on.
void applyMusicPreference() {
  const RegistryKey key = openKeyPath(kPreferencesKey);
  if (!key.isOpen() || !key.hasValue("Music")) return;
  const std::string text = key.readString("Music");
  if (isNumber(text)) setMusicVolume(toInteger(text) != 0 ? 255 : 0);
}

// What the device plays: the volume scaled by the loudness, to the nearest step.
uint8_t deviceVolume(const MusicState& s) {
  return uint8_t(std::lround(float(s.volume) * s.loudness));
}

}  // namespace

void installMusicDevice(std::unique_ptr<MusicDevice> device) {
  if (state().initialised) shutdownMusic();
  state().device = std::move(device);
}

void initMusic() {
  MusicState& s = state();
  s.initialised = s.device != nullptr && s.device->start();
  s.savedPosition = 0;
  console::print(s.initialised ? "\nMusic subsystem initialised successfully."
                               : "\nError initialising music subsystem.");
  s.volume = 255;
  console::addCommands(kEntries);
  applyMusicPreference();
}

void shutdownMusic() {
  MusicState& s = state();
  stopMusic();
  if (s.initialised) s.device->finish();
  s.hasStream = false;
  s.initialised = false;
  console::removeCommands(kEntries);
}

bool playMusic(std::string_view file, bool loop) {
  MusicState& s = state();
  s.savedPosition = 0;
  if (!s.initialised || file.empty()) return false;
  if (!stopMusic()) return false;
  if (!s.device->openStream(resolveDataPath(file))) return false;
  s.hasStream = true;
  s.loop = loop;
  // The volume goes on before the first sample sounds, so a quiet setting never blares.
  s.device->setVolume(deviceVolume(s));
  s.device->play(loop);
  return true;
}

bool stopMusic() {
  MusicState& s = state();
  if (!s.initialised || !s.hasStream) return true;
  s.device->stop();
  if (!s.device->closeStream()) return false;
  s.hasStream = false;
  return true;
}

bool pauseMusic() {
  MusicState& s = state();
  if (!s.hasStream) return false;
  s.savedPosition = s.device->position();
  s.device->stop();
  return true;
}

// The position goes on before playing, so the start of the file never sounds in between.
bool resumeMusic() {
  MusicState& s = state();
  if (!s.hasStream) return false;
  s.device->setPosition(s.savedPosition);
  s.device->play(s.loop);
  return true;
}

void setMusicVolume(uint8_t volume) {
  MusicState& s = state();
  if (!s.initialised) return;
  s.volume = volume;
  s.device->setVolume(deviceVolume(s));
}

uint8_t getMusicVolume() {
  return state().initialised ? state().volume : 0;
}

void setMusicLoudness(float share) {
  MusicState& s = state();
  s.loudness = std::clamp(share, 0.0f, 1.0f);
  if (s.initialised) s.device->setVolume(deviceVolume(s));
}

float musicLoudness() {
  return state().loudness;
}

bool isMusicInitialised() {
  return state().initialised;
}

bool hasMusicStream() {
  return state().hasStream;
}

uint32_t savedMusicPosition() {
  return state().savedPosition;
}

}  // namespace music
