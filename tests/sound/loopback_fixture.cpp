#include "sound/loopback_fixture.h"

#include <AL/alext.h>

#include <cmath>
#include <memory>

#include "game/platform/openal_sound_device.h"
#include "game/platform/sound_list.h"

namespace {

template <typename Function>
Function alcFunction(ALCdevice* device, const char* name) {
  return reinterpret_cast<Function>(alcGetProcAddress(device, name));
}

}  // namespace

LoopbackOutput::LoopbackOutput() {
  auto open = alcFunction<LPALCLOOPBACKOPENDEVICESOFT>(nullptr, "alcLoopbackOpenDeviceSOFT");
  if (open == nullptr) return;
  device_ = open(nullptr);
  if (device_ == nullptr) return;
  const ALCint attributes[] = {
      ALC_FREQUENCY,  kRate, ALC_FORMAT_CHANNELS_SOFT, ALC_MONO_SOFT, ALC_FORMAT_TYPE_SOFT,
      ALC_FLOAT_SOFT, 0};
  context_ = alcCreateContext(device_, attributes);
  if (context_ != nullptr && alcMakeContextCurrent(context_) == ALC_FALSE) {
    alcDestroyContext(context_);
    context_ = nullptr;
  }
}

LoopbackOutput::~LoopbackOutput() {
  if (context_ != nullptr) {
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(context_);
  }
  if (device_ != nullptr) alcCloseDevice(device_);
}

std::vector<float> LoopbackOutput::render(uint32_t frames) {
  auto renderSamples = alcFunction<LPALCRENDERSAMPLESSOFT>(device_, "alcRenderSamplesSOFT");
  std::vector<float> samples(frames);
  renderSamples(device_, samples.data(), ALCsizei(frames));
  return samples;
}

double rms(const std::vector<float>& samples) {
  double sum = 0.0;
  for (float sample : samples) sum += double(sample) * sample;
  return samples.empty() ? 0.0 : std::sqrt(sum / double(samples.size()));
}

double peak(const std::vector<float>& samples) {
  double largest = 0.0;
  for (float sample : samples) largest = std::max(largest, std::fabs(double(sample)));
  return largest;
}

// Counts rising crossings and measures from the first to the last, so partial periods at
// either end don't bias the result.
double measuredFrequency(const std::vector<float>& samples, int32_t rate) {
  int64_t first = -1;
  int64_t last = -1;
  int32_t crossings = 0;
  for (size_t i = 1; i < samples.size(); ++i) {
    if (samples[i - 1] < 0.0f && samples[i] >= 0.0f) {
      if (first < 0) first = int64_t(i);
      last = int64_t(i);
      ++crossings;
    }
  }
  if (crossings < 2) return 0.0;
  return double(crossings - 1) * rate / double(last - first);
}

void LoopbackSoundTest::SetUp() {
  output_ = std::make_unique<LoopbackOutput>();
  ASSERT_TRUE(output_->isOpen()) << "OpenAL Soft's loopback device could not be opened";
  sound::setEffectsVolume(1.0f);
  sound::installSoundDevice(std::make_unique<audio::OpenAlSoundDevice>());
}

void LoopbackSoundTest::TearDown() {
  sound::clearSoundList();
  sound::installSoundDevice(nullptr);
  sound::setEffectsVolume(1.0f);
  output_.reset();
}
