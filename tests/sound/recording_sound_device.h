#pragma once
// A sound device that plays nothing and remembers what it was asked: tests read each voice's
// volume, frequency, play state and position. Each master keeps its file's sample rate, so a
// test that gives every file its own rate can tell the voices apart.

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <vector>

#include "game/platform/sound_device.h"

class RecordingSoundDevice : public sound::SoundDevice {
 public:
  struct Voice {
    uint32_t buffer = 0;
    uint32_t rate = 0;       // of the file the voice plays
    uint32_t frequency = 0;  // as last set; the file's rate at first
    int32_t volume = 0;
    bool playing = false;
    bool looped = false;
    int32_t plays = 0;
    uint32_t position = 0;
  };
  std::map<uint32_t, uint32_t> bufferRates;
  std::map<uint32_t, Voice> voices;
  int32_t deletedBuffers = 0;

  uint32_t createBuffer(const sound::WavFormat& format, std::span<const uint8_t>) override;
  void deleteBuffer(uint32_t buffer) override;
  uint32_t createVoice(uint32_t buffer) override;
  void deleteVoice(uint32_t voice) override { voices.erase(voice); }
  void setVolume(uint32_t voice, int32_t volume) override { voices.at(voice).volume = volume; }
  void setFrequency(uint32_t voice, uint32_t hertz) override { voices.at(voice).frequency = hertz; }
  uint32_t frequency(uint32_t voice) override { return voices.at(voice).frequency; }
  void play(uint32_t voice, bool looped) override;
  void stop(uint32_t voice) override { voices.at(voice).playing = false; }
  bool isPlaying(uint32_t voice) override { return voices.at(voice).playing; }
  std::optional<uint32_t> position(uint32_t voice) override { return voices.at(voice).position; }
  bool setPosition(uint32_t voice, uint32_t frame) override;

  // The voice of the file with `rate`; fails the test when there is none.
  Voice& voiceOf(uint32_t rate);
  // The rates of the files playing now.
  std::vector<uint32_t> playingRates() const;

 private:
  uint32_t nextId_ = 1;
};
