#include "game/platform/sound_instance.h"

#include <algorithm>

#include "game/platform/sound_device.h"
#include "game/platform/sound_law.h"
#include "game/platform/sound_list.h"

namespace sound {

SoundInstance::SoundInstance() : SoundInstance(kDefaultSoundName) {}

SoundInstance::SoundInstance(std::string_view name) : name_(name) {
  duplicateMaster();
}

SoundInstance::SoundInstance(const SoundInstance& other) : name_(other.name_) {
  duplicateMaster();
}

SoundInstance& SoundInstance::operator=(const SoundInstance& other) {
  if (this == &other) return *this;
  releaseVoice();
  releaseSound(name_);
  name_ = other.name_;
  volume_ = 1.0f;
  pitch_ = 0.0f;
  duplicateMaster();
  return *this;
}

SoundInstance::~SoundInstance() {
  releaseVoice();
  releaseSound(name_);
}

SoundDevice* SoundInstance::device() const {
  if (voice_ == 0 || generation_ != soundDeviceGeneration()) return nullptr;
  return soundDevice();
}

// The voice starts stopped at the instance's volume; its frequency right after duplication
// is the file's own rate, which pitch 0 goes back to.
void SoundInstance::duplicateMaster() {
  const SoundSample sample = acquireSound(name_);
  if (soundDevice() == nullptr || sample.masterBuffer == 0) return;
  voice_ = soundDevice()->createVoice(sample.masterBuffer);
  if (voice_ == 0) return;
  generation_ = soundDeviceGeneration();
  applyVolume();
  soundDevice()->stop(voice_);
  baseFrequency_ = soundDevice()->frequency(voice_);
}

void SoundInstance::releaseVoice() {
  if (SoundDevice* d = device()) {
    d->stop(voice_);
    d->deleteVoice(voice_);
  }
  voice_ = 0;
  baseFrequency_ = 0;
}

void SoundInstance::applyVolume() {
  if (SoundDevice* d = device()) {
    const float share = volume_ * effectsVolume() * effectsLoudness();
    d->setVolume(voice_, volumeToHundredthsOfDecibel(share));
  }
}

void SoundInstance::play() {
  applyVolume();
  if (SoundDevice* d = device()) d->play(voice_, false);
}

void SoundInstance::playLooped() {
  applyVolume();
  if (SoundDevice* d = device()) d->play(voice_, true);
}

void SoundInstance::stop() {
  if (SoundDevice* d = device()) d->stop(voice_);
}

void SoundInstance::rewind() {
  if (SoundDevice* d = device()) d->setPosition(voice_, 0);
}

bool SoundInstance::isPlaying() const {
  SoundDevice* d = device();
  return d != nullptr && d->isPlaying(voice_);
}

bool SoundInstance::syncPosition(const SoundInstance& other) {
  SoundDevice* d = device();
  if (d == nullptr || other.device() == nullptr) return false;
  const auto position = d->position(other.voice_);
  return position && d->setPosition(voice_, *position);
}

void SoundInstance::setVolume(float volume) {
  volume_ = std::clamp(volume, 0.0f, 1.0f);
  applyVolume();
}

void SoundInstance::setPitch(float pitch) {
  pitch = std::clamp(pitch, -1.0f, 1.0f);
  if (SoundDevice* d = device()) d->setFrequency(voice_, pitchToFrequency(baseFrequency_, pitch));
  pitch_ = pitch;
}

}  // namespace sound
