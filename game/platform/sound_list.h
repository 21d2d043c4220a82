#pragma once
// The sound effects' shared state: the effects volume and the sound list, an ordered map from
// upper-cased file name to SoundSample. Each distinct file is loaded once into a master
// buffer of the installed device; every SoundInstance of that name plays its own voice on it.
// Without a device nothing is loaded and the list keeps only names and counts.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sound {

// One per distinct name, shared by every instance of it.
struct SoundSample {
  uint32_t masterBuffer = 0;  // 0 when there is no device or the file failed to load
  uint32_t bufferBytes = 0;   // size of the master's samples
  uint32_t sampleRate = 0;    // the file's samples per second
  int32_t referenceCount = 0;
};

// "Sound" under the preference key: a number switches the effects on (non-zero) or off;
// anything else leaves the volume alone.
void applySoundPreference();

// Clamped to 0..1; playing instances pick it up at their next play, playLooped or setVolume.
void setEffectsVolume(float volume);
float effectsVolume();
// The player's loudness of all effects, 0..1 (clamped), over and above the on/off volume
// above: the two multiply, so an effect is silent when either is 0.
void setEffectsLoudness(float share);
float effectsLoudness();

// The entry of upper-cased `name`: its count raised by one, or a new entry with count 1 whose
// file is loaded (loadWav). A file that fails to load still makes an entry, with no master.
SoundSample acquireSound(std::string_view name);
// Lowers the count; at 0 the master is released and the entry removed. Unknown names are
// ignored.
void releaseSound(std::string_view name);
// Releases every master and empties the list (the console registration starts this way).
void clearSoundList();

// Reads a PCM WAV file (a data path) into a master of the installed device; 0 when there is
// no device, the file can't be read, fails a check of readWav or the device refuses it.
// `sample` receives the size and rate of what was loaded.
uint32_t loadWav(std::string_view name, SoundSample& sample);

// One line per entry in key order: the key, then " (loading failed)" when it has no master.
std::vector<std::string> soundListing();
// Bytes held by all masters.
uint64_t soundMemory();
// The count on `name`; 0 when the list has no such entry.
int32_t referenceCount(std::string_view name);

}  // namespace sound
