#pragma once
// One player of a sound effect, owned by whoever makes the noise. Each instance plays its own
// voice on the shared master of its file, so one effect can sound many times at once, each
// with its own volume, pitch and position. With no device, or a file that failed to load,
// the instance has no voice and every operation does nothing.

#include <cstdint>
#include <string>
#include <string_view>

namespace sound {

class SoundDevice;

constexpr std::string_view kDefaultSoundName = "snd\\default.wav";

class SoundInstance {
 public:
  // Plays "snd\default.wav".
  SoundInstance();
  explicit SoundInstance(std::string_view name);
  // A new voice on the same master (the name is acquired once more), at volume 1.0.
  SoundInstance(const SoundInstance& other);
  // Stops and drops this voice and its name, then becomes a copy of `other`.
  SoundInstance& operator=(const SoundInstance& other);
  ~SoundInstance();

  // Once, from the current position.
  void play();
  // Endlessly, from the current position.
  void playLooped();
  // Stops where it is; play goes on from there.
  void stop();
  // Back to the first sample.
  void rewind();
  bool isPlaying() const;
  // Takes `other`'s play position; true when it could be read and set.
  bool syncPosition(const SoundInstance& other);

  // Clamped to 0..1; applied with the effects volume at once.
  void setVolume(float volume);
  float volume() const { return volume_; }
  // Clamped to -1..1: 0 plays at the file's own rate, +1 at 200000 Hz, -1 at 100 Hz.
  void setPitch(float pitch);
  float pitch() const { return pitch_; }

  const std::string& name() const { return name_; }
  // The file's sample rate as the voice reported it; 0 without a voice.
  uint32_t baseFrequency() const { return baseFrequency_; }
  bool hasVoice() const { return voice_ != 0; }

 private:
  // The device when this instance's voice lives on it; nullptr otherwise.
  SoundDevice* device() const;
  void duplicateMaster();
  void releaseVoice();
  void applyVolume();

  uint32_t voice_ = 0;
  uint32_t generation_ = 0;  // the device installation the voice belongs to
  std::string name_;
  uint32_t baseFrequency_ = 0;
  float volume_ = 1.0f;
  float pitch_ = 0.0f;
  float pan_ = 0.0f;  // kept for its place in the record; the game never pans
};

}  // namespace sound
