#pragma once
// The music service on the real OpenAL streamer, rendered into memory through OpenAL Soft's
// loopback device (no sound card needed) at 44100 Hz stereo float. Each test runs with its
// own preference store and working directory, so stored preferences and data paths are the
// test's own.

#include <AL/alc.h>
#include <gtest/gtest.h>

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "game/platform/openal_music_device.h"
#include "test_support/temp_directory.h"

namespace music_test {

constexpr int32_t kRenderRate = 44100;

class MusicLoopbackTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Installs the streamer on the loopback context and starts the music service.
  void startMusic();
  // Writes `bytes` as a file below the working directory; returns its data path.
  std::string writeFile(std::string_view name, const std::vector<uint8_t>& bytes);
  // Renders `seconds` of the mix, letting the streamer refill between short slices as it
  // would in real time; the left channel.
  std::vector<float> render(double seconds);

  TempDirectory directory_;
  std::optional<WorkingDirectory> workingDirectory_;
  std::optional<std::string> oldConfigHome_;
  ALCdevice* loopback_ = nullptr;
  ALCcontext* context_ = nullptr;
  audio::OpenAlMusicDevice* streamer_ = nullptr;  // owned by the music service
};

// Root mean square of the samples.
double rms(std::span<const float> samples);
// The frequency estimated from upward zero crossings; 0 for silence.
double toneFrequency(std::span<const float> samples, int32_t sampleRate = kRenderRate);

}  // namespace music_test
