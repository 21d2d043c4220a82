#include "game/platform/openal_sound_device.h"

#include <AL/alc.h>

#include <cmath>
#include <memory>

#include "common/console_output.h"
#include "game/platform/al_errors.h"
#include "game/platform/sound_law.h"
#include "game/platform/sound_list.h"

namespace audio {
namespace {

ALenum alFormatOf(const sound::WavFormat& format) {
  const bool stereo = format.channels == 2;
  if (format.bitsPerSample == 8) return stereo ? AL_FORMAT_STEREO8 : AL_FORMAT_MONO8;
  if (format.bitsPerSample == 16) return stereo ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16;
  return AL_NONE;
}

// The output initSound opened; null when it joined a context someone else opened.
struct Output {
  ALCdevice* device = nullptr;
  ALCcontext* context = nullptr;
};
Output output;

bool openOutput() {
  if (alcGetCurrentContext() != nullptr) return true;
  ALCdevice* device = alcOpenDevice(nullptr);
  if (device == nullptr) return false;
  ALCcontext* context = alcCreateContext(device, nullptr);
  if (context == nullptr || alcMakeContextCurrent(context) == ALC_FALSE) {
    if (context != nullptr) alcDestroyContext(context);
    alcCloseDevice(device);
    return false;
  }
  output = {device, context};
  return true;
}

void closeOutput() {
  if (output.context == nullptr) return;
  alcMakeContextCurrent(nullptr);
  alcDestroyContext(output.context);
  alcCloseDevice(output.device);
  output = {};
}

}  // namespace

OpenAlSoundDevice::~OpenAlSoundDevice() {
  for (const auto& [source, buffer] : voiceMasters_) alDeleteSources(1, &source);
  for (const auto& [buffer, master] : masters_) alDeleteBuffers(1, &buffer);
  alGetError();
}

// Only whole sample frames of 8 or 16 bits with a matching block align are taken, as a
// sound card's buffers take them.
uint32_t OpenAlSoundDevice::createBuffer(const sound::WavFormat& format,
                                         std::span<const uint8_t> samples) {
  const ALenum alFormat = alFormatOf(format);
  const size_t frameBytes = size_t(format.channels) * format.bitsPerSample / 8;
  if (alFormat == AL_NONE || format.blockAlign != frameBytes) return 0;
  const size_t bytes = samples.size() - samples.size() % frameBytes;
  if (bytes == 0 || format.samplesPerSecond > uint32_t(INT32_MAX)) return 0;
  alGetError();
  ALuint buffer = 0;
  alGenBuffers(1, &buffer);
  if (!checkAl("alGenBuffers")) return 0;
  alBufferData(buffer, alFormat, samples.data(), ALsizei(bytes), ALsizei(format.samplesPerSecond));
  if (!checkAl("alBufferData")) {
    alDeleteBuffers(1, &buffer);
    return 0;
  }
  masters_[buffer] = Master{format.samplesPerSecond, 0, false};
  return buffer;
}

void OpenAlSoundDevice::deleteBuffer(uint32_t buffer) {
  auto found = masters_.find(buffer);
  if (found == masters_.end()) return;
  if (found->second.voices > 0) {
    found->second.released = true;
    return;
  }
  alDeleteBuffers(1, &found->first);
  masters_.erase(found);
}

uint32_t OpenAlSoundDevice::createVoice(uint32_t buffer) {
  auto found = masters_.find(buffer);
  if (found == masters_.end()) return 0;
  alGetError();
  ALuint source = 0;
  alGenSources(1, &source);
  if (!checkAl("alGenSources")) return 0;
  // Effects are not placed in space: every voice sounds at the listener, unattenuated.
  alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
  alSource3f(source, AL_POSITION, 0.0f, 0.0f, 0.0f);
  alSourcef(source, AL_ROLLOFF_FACTOR, 0.0f);
  alSourcei(source, AL_BUFFER, ALint(buffer));
  if (!checkAl("alSourcei")) {
    alDeleteSources(1, &source);
    return 0;
  }
  ++found->second.voices;
  voiceMasters_[source] = buffer;
  return source;
}

void OpenAlSoundDevice::deleteVoice(uint32_t voice) {
  auto found = voiceMasters_.find(voice);
  if (found == voiceMasters_.end()) return;
  const ALuint buffer = found->second;
  alDeleteSources(1, &found->first);
  voiceMasters_.erase(found);
  dropVoiceFrom(buffer);
}

void OpenAlSoundDevice::dropVoiceFrom(ALuint buffer) {
  auto master = masters_.find(buffer);
  if (master == masters_.end()) return;
  if (--master->second.voices > 0 || !master->second.released) return;
  alDeleteBuffers(1, &master->first);
  masters_.erase(master);
}

void OpenAlSoundDevice::setVolume(uint32_t voice, int32_t hundredthsOfDecibel) {
  alSourcef(voice, AL_GAIN, sound::gainFromHundredthsOfDecibel(hundredthsOfDecibel));
}

void OpenAlSoundDevice::setFrequency(uint32_t voice, uint32_t hertz) {
  auto found = voiceMasters_.find(voice);
  if (found == voiceMasters_.end()) return;
  const uint32_t rate = masters_[found->second].rate;
  alSourcef(voice, AL_PITCH, float(double(hertz) / double(rate)));
}

uint32_t OpenAlSoundDevice::frequency(uint32_t voice) {
  auto found = voiceMasters_.find(voice);
  if (found == voiceMasters_.end()) return 0;
  ALfloat pitch = 1.0f;
  alGetSourcef(voice, AL_PITCH, &pitch);
  return uint32_t(std::lround(double(masters_[found->second].rate) * pitch));
}

ALint OpenAlSoundDevice::state(uint32_t voice) const {
  ALint value = AL_INITIAL;
  alGetSourcei(voice, AL_SOURCE_STATE, &value);
  return value;
}

// OpenAL would restart a playing source from its start; a playing voice only changes its
// looping.
void OpenAlSoundDevice::play(uint32_t voice, bool looped) {
  alSourcei(voice, AL_LOOPING, looped ? AL_TRUE : AL_FALSE);
  if (state(voice) != AL_PLAYING) alSourcePlay(voice);
}

// Pausing keeps the position, which a stop in OpenAL would lose.
void OpenAlSoundDevice::stop(uint32_t voice) {
  if (state(voice) == AL_PLAYING) alSourcePause(voice);
}

bool OpenAlSoundDevice::isPlaying(uint32_t voice) {
  return state(voice) == AL_PLAYING;
}

std::optional<uint32_t> OpenAlSoundDevice::position(uint32_t voice) {
  alGetError();
  ALint frame = 0;
  alGetSourcei(voice, AL_SAMPLE_OFFSET, &frame);
  if (alGetError() != AL_NO_ERROR || frame < 0) return std::nullopt;
  return uint32_t(frame);
}

bool OpenAlSoundDevice::setPosition(uint32_t voice, uint32_t frame) {
  alGetError();
  alSourcei(voice, AL_SAMPLE_OFFSET, ALint(frame));
  return alGetError() == AL_NO_ERROR;
}

void initSound() {
  if (sound::soundDevice() != nullptr) return;
  sound::setEffectsVolume(1.0f);
  if (!openOutput()) {
    console::print("\nError initialising sound subsystem.");
    return;
  }
  sound::installSoundDevice(std::make_unique<OpenAlSoundDevice>());
  console::print("\nSound subsystem initialised successfully.");
  sound::applySoundPreference();
}

void shutdownSound() {
  sound::installSoundDevice(nullptr);
  closeOutput();
}

}  // namespace audio
