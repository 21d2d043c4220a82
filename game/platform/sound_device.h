#pragma once
// The device that plays the sound effects. The sound list and SoundInstance (sounds.cpp,
// sound_instance.cpp) keep names, counts, volumes and pitches in every program; a device is
// installed only by initSound, so simulation code and headless tools never call OpenAL.
//
// A master buffer holds a file's samples and is never played; a voice is one player's own
// duplicate of a master, with its own volume, frequency and play position. Both are named by
// non-zero ids; 0 means "none".

#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "game/platform/wav_reader.h"

namespace sound {

class SoundDevice {
 public:
  virtual ~SoundDevice() = default;
  // A master holding `samples`; 0 when the device can't take the format.
  virtual uint32_t createBuffer(const WavFormat& format, std::span<const uint8_t> samples) = 0;
  // Voices still on the master keep it until they go.
  virtual void deleteBuffer(uint32_t buffer) = 0;
  // A stopped voice on `buffer` at position 0; 0 when it can't be made.
  virtual uint32_t createVoice(uint32_t buffer) = 0;
  virtual void deleteVoice(uint32_t voice) = 0;
  // -10000 (silence) to 0 (full).
  virtual void setVolume(uint32_t voice, int32_t hundredthsOfDecibel) = 0;
  // Samples per second the voice plays its master at.
  virtual void setFrequency(uint32_t voice, uint32_t hertz) = 0;
  virtual uint32_t frequency(uint32_t voice) = 0;
  // From the current position; a voice that is playing keeps playing where it is and only
  // takes the new looping.
  virtual void play(uint32_t voice, bool looped) = 0;
  // Stops where it is; the next play goes on from there.
  virtual void stop(uint32_t voice) = 0;
  virtual bool isPlaying(uint32_t voice) = 0;
  // The play position in sample frames; nothing when it can't be read.
  virtual std::optional<uint32_t> position(uint32_t voice) = 0;
  virtual bool setPosition(uint32_t voice, uint32_t frame) = 0;
};

// Takes `device` (nullptr: silent, every operation a no-op). The masters and voices of the
// previous device go with it; the sound list keeps its names and counts, with no masters.
void installSoundDevice(std::unique_ptr<SoundDevice> device);
// The device in force, or nullptr.
SoundDevice* soundDevice();
// Counts installations, so a voice made on an earlier device is never handed to a later one.
uint32_t soundDeviceGeneration();

}  // namespace sound
