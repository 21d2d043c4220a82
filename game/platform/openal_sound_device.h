#pragma once
// Sound effects on OpenAL Soft. A master is an OpenAL buffer, a voice an OpenAL source on it.
// The device works on the OpenAL context current when it is used; whoever installs it keeps
// that context current for the device's life.

#include <AL/al.h>

#include <cstdint>
#include <unordered_map>

#include "game/platform/sound_device.h"

namespace audio {

class OpenAlSoundDevice final : public sound::SoundDevice {
 public:
  OpenAlSoundDevice() = default;
  // Deletes every source and buffer it made.
  ~OpenAlSoundDevice() override;
  OpenAlSoundDevice(const OpenAlSoundDevice&) = delete;
  OpenAlSoundDevice& operator=(const OpenAlSoundDevice&) = delete;

  uint32_t createBuffer(const sound::WavFormat& format, std::span<const uint8_t> samples) override;
  void deleteBuffer(uint32_t buffer) override;
  uint32_t createVoice(uint32_t buffer) override;
  void deleteVoice(uint32_t voice) override;
  void setVolume(uint32_t voice, int32_t hundredthsOfDecibel) override;
  void setFrequency(uint32_t voice, uint32_t hertz) override;
  uint32_t frequency(uint32_t voice) override;
  void play(uint32_t voice, bool looped) override;
  void stop(uint32_t voice) override;
  bool isPlaying(uint32_t voice) override;
  std::optional<uint32_t> position(uint32_t voice) override;
  bool setPosition(uint32_t voice, uint32_t frame) override;

 private:
  struct Master {
    uint32_t rate = 0;
    int32_t voices = 0;
    bool released = false;  // deleted by its owner while voices still played it
  };
  // OpenAL refuses to delete a buffer a source still holds; such a master waits for its last
  // voice.
  void dropVoiceFrom(ALuint buffer);
  ALint state(uint32_t voice) const;

  std::unordered_map<ALuint, Master> masters_;
  std::unordered_map<ALuint, ALuint> voiceMasters_;  // source -> buffer
};

// Opens the default output (or joins the OpenAL context already current, which then stays
// its opener's) and installs the OpenAL device; once, when no device exists. Prints
// "\nSound subsystem initialised successfully." or "\nError initialising sound subsystem.",
// and on success applies the "Sound" preference. The effects volume starts at 1.0.
void initSound();
// Removes the device and closes the output initSound opened.
void shutdownSound();

}  // namespace audio
