#include "music/music_loopback.h"

#include <AL/alext.h>

#include <cmath>
#include <cstdlib>
#include <fstream>

#include "game/platform/music.h"
#include "game/platform/music_device.h"

namespace music_test {

namespace {

constexpr size_t kSliceFrames = 1024;

template <typename Function>
Function alcFunction(ALCdevice* device, const char* name) {
  return reinterpret_cast<Function>(alcGetProcAddress(device, name));
}

}  // namespace

void MusicLoopbackTest::SetUp() {
  if (const char* home = std::getenv("XDG_CONFIG_HOME")) oldConfigHome_ = home;
  const std::filesystem::path config = directory_.path() / "config";
  std::filesystem::create_directories(config);
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  workingDirectory_.emplace(directory_.path());

  ASSERT_EQ(alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback"), ALC_TRUE);
  const auto open = alcFunction<LPALCLOOPBACKOPENDEVICESOFT>(nullptr, "alcLoopbackOpenDeviceSOFT");
  loopback_ = open(nullptr);
  ASSERT_NE(loopback_, nullptr);
  const auto supported =
      alcFunction<LPALCISRENDERFORMATSUPPORTEDSOFT>(loopback_, "alcIsRenderFormatSupportedSOFT");
  ASSERT_EQ(supported(loopback_, kRenderRate, ALC_STEREO_SOFT, ALC_FLOAT_SOFT), ALC_TRUE);
  const ALCint attributes[] = {ALC_FORMAT_CHANNELS_SOFT,
                               ALC_STEREO_SOFT,
                               ALC_FORMAT_TYPE_SOFT,
                               ALC_FLOAT_SOFT,
                               ALC_FREQUENCY,
                               kRenderRate,
                               0};
  context_ = alcCreateContext(loopback_, attributes);
  ASSERT_NE(context_, nullptr);
}

void MusicLoopbackTest::TearDown() {
  music::shutdownMusic();
  music::installMusicDevice(nullptr);
  streamer_ = nullptr;
  if (context_ != nullptr) alcDestroyContext(context_);
  if (loopback_ != nullptr) alcCloseDevice(loopback_);
  workingDirectory_.reset();
  if (oldConfigHome_) {
    setenv("XDG_CONFIG_HOME", oldConfigHome_->c_str(), 1);
  } else {
    unsetenv("XDG_CONFIG_HOME");
  }
}

void MusicLoopbackTest::startMusic() {
  auto streamer = std::make_unique<audio::OpenAlMusicDevice>(context_);
  streamer_ = streamer.get();
  music::installMusicDevice(std::move(streamer));
  music::initMusic();
}

std::string MusicLoopbackTest::writeFile(std::string_view name, const std::vector<uint8_t>& bytes) {
  directory_.write(name,
                   std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  return std::string(name);
}

std::vector<float> MusicLoopbackTest::render(double seconds) {
  const auto renderSamples = alcFunction<LPALCRENDERSAMPLESSOFT>(loopback_, "alcRenderSamplesSOFT");
  const auto frames = size_t(std::lround(seconds * kRenderRate));
  std::vector<float> left;
  left.reserve(frames);
  std::vector<float> slice(kSliceFrames * 2);
  for (size_t done = 0; done < frames; done += kSliceFrames) {
    if (streamer_ != nullptr) streamer_->refillNow();
    const size_t count = std::min(kSliceFrames, frames - done);
    renderSamples(loopback_, slice.data(), ALCsizei(count));
    for (size_t frame = 0; frame < count; ++frame) left.push_back(slice[frame * 2]);
  }
  return left;
}

double rms(std::span<const float> samples) {
  if (samples.empty()) return 0.0;
  double sum = 0.0;
  for (const float sample : samples) sum += double(sample) * sample;
  return std::sqrt(sum / double(samples.size()));
}

double toneFrequency(std::span<const float> samples, int32_t sampleRate) {
  if (rms(samples) < 1e-3) return 0.0;
  int32_t crossings = 0;
  for (size_t i = 1; i < samples.size(); ++i) {
    if (samples[i - 1] < 0.0f && samples[i] >= 0.0f) ++crossings;
  }
  return double(crossings) * sampleRate / double(samples.size());
}

}  // namespace music_test
