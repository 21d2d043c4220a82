// The sound list and the effects volume. Instances copy what they need from a SoundSample
// (master id, rate) when they are made, so entries may come and go without leaving pointers
// behind; a master that still has voices is kept by the device until the last voice goes.

#include "game/platform/sound_list.h"

#include <algorithm>
#include <map>

#include "common/data_path.h"
#include "common/registry_key.h"
#include "common/regular_file.h"
#include "common/text.h"
#include "game/platform/sound_device.h"

namespace sound {
namespace {

// Instances held in other files' statics are released at program exit, possibly after this
// file's statics would be destroyed, so the state is never destroyed.
struct State {
  std::map<std::string, SoundSample> samples;
  std::unique_ptr<SoundDevice> device;
  uint32_t generation = 0;
  float effectsVolume = 1.0f;
  float effectsLoudness = 1.0f;
};
State& state() {
  static auto* instance = new State;
  return *instance;
}

// A sound is held whole in one buffer. 64 MiB is six minutes of 16-bit stereo at 44.1 kHz,
// far longer than any effect; a longer file is not loaded at all.
constexpr size_t kMaxWavFileBytes = size_t{64} << 20;

void releaseMaster(SoundSample& sample) {
  if (sample.masterBuffer != 0 && soundDevice() != nullptr) {
    soundDevice()->deleteBuffer(sample.masterBuffer);
  }
  sample.masterBuffer = 0;
  sample.bufferBytes = 0;
}

}  // namespace

void installSoundDevice(std::unique_ptr<SoundDevice> device) {
  for (auto& [key, sample] : state().samples) {
    sample.masterBuffer = 0;
    sample.bufferBytes = 0;
  }
  state().device = std::move(device);
  ++state().generation;
}

SoundDevice* soundDevice() {
  return state().device.get();
}

uint32_t soundDeviceGeneration() {
  return state().generation;
}

void applySoundPreference() {
  const std::string text = openKeyPath(kPreferencesKeyPath).readString("Sound");
  if (isNumber(text)) setEffectsVolume(toInteger(text) != 0 ? 1.0f : 0.0f);
}

void setEffectsVolume(float volume) {
  state().effectsVolume = std::clamp(volume, 0.0f, 1.0f);
}

float effectsVolume() {
  return state().effectsVolume;
}

void setEffectsLoudness(float share) {
  state().effectsLoudness = std::clamp(share, 0.0f, 1.0f);
}

float effectsLoudness() {
  return state().effectsLoudness;
}

uint32_t loadWav(std::string_view name, SoundSample& sample) {
  if (soundDevice() == nullptr) return 0;
  // Anything but a regular file (a folder, a device, a pipe) fails like a missing sound.
  const FileContents file = readRegularFile(resolveDataPath(name), kMaxWavFileBytes);
  if (!file.complete()) return 0;
  const auto wav =
      readWav(std::span(reinterpret_cast<const uint8_t*>(file.bytes.data()), file.bytes.size()));
  if (!wav) return 0;
  const uint32_t buffer = soundDevice()->createBuffer(wav->format, wav->samples);
  if (buffer == 0) return 0;
  sample.bufferBytes = uint32_t(wav->samples.size());
  sample.sampleRate = wav->format.samplesPerSecond;
  return buffer;
}

SoundSample acquireSound(std::string_view name) {
  std::string key = upperCased(name);
  auto found = state().samples.find(key);
  if (found != state().samples.end()) {
    ++found->second.referenceCount;
    return found->second;
  }
  SoundSample sample;
  sample.referenceCount = 1;
  sample.masterBuffer = loadWav(name, sample);
  state().samples.emplace(std::move(key), sample);
  return sample;
}

void releaseSound(std::string_view name) {
  auto found = state().samples.find(upperCased(name));
  if (found == state().samples.end()) return;
  if (--found->second.referenceCount > 0) return;
  releaseMaster(found->second);
  state().samples.erase(found);
}

void clearSoundList() {
  for (auto& [key, sample] : state().samples) releaseMaster(sample);
  state().samples.clear();
}

std::vector<std::string> soundListing() {
  std::vector<std::string> lines;
  for (const auto& [key, sample] : state().samples) {
    lines.push_back(sample.masterBuffer != 0 ? key : key + " (loading failed)");
  }
  return lines;
}

uint64_t soundMemory() {
  uint64_t bytes = 0;
  for (const auto& [key, sample] : state().samples) bytes += sample.bufferBytes;
  return bytes;
}

int32_t referenceCount(std::string_view name) {
  auto found = state().samples.find(upperCased(name));
  return found == state().samples.end() ? 0 : found->second.referenceCount;
}

}  // namespace sound
