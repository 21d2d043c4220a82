#include "sound/recording_sound_device.h"

#include <gtest/gtest.h>

uint32_t RecordingSoundDevice::createBuffer(const sound::WavFormat& format,
                                            std::span<const uint8_t>) {
  bufferRates[nextId_] = format.samplesPerSecond;
  return nextId_++;
}

void RecordingSoundDevice::deleteBuffer(uint32_t buffer) {
  bufferRates.erase(buffer);
  ++deletedBuffers;
}

uint32_t RecordingSoundDevice::createVoice(uint32_t buffer) {
  const uint32_t rate = bufferRates.at(buffer);
  voices[nextId_] = Voice{.buffer = buffer, .rate = rate, .frequency = rate};
  return nextId_++;
}

void RecordingSoundDevice::play(uint32_t voice, bool looped) {
  Voice& v = voices.at(voice);
  v.playing = true;
  v.looped = looped;
  ++v.plays;
}

bool RecordingSoundDevice::setPosition(uint32_t voice, uint32_t frame) {
  voices.at(voice).position = frame;
  return true;
}

RecordingSoundDevice::Voice& RecordingSoundDevice::voiceOf(uint32_t rate) {
  for (auto& [id, voice] : voices)
    if (voice.rate == rate) return voice;
  ADD_FAILURE() << "no voice plays the file of rate " << rate;
  static Voice none;
  return none;
}

std::vector<uint32_t> RecordingSoundDevice::playingRates() const {
  std::vector<uint32_t> rates;
  for (const auto& [id, voice] : voices)
    if (voice.playing) rates.push_back(voice.rate);
  return rates;
}
