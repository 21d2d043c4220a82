#pragma once
// OpenAL Soft's loopback device: the real mixer, rendering into memory instead of a sound
// card, so tests hear exactly what a player would. One mono 32-bit float output at 44100 Hz.

#include <AL/alc.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

class LoopbackOutput {
 public:
  static constexpr int32_t kRate = 44100;

  // Opens the device and makes its context current; isOpen() tells whether that worked.
  LoopbackOutput();
  // Releases the context (making none current) and closes the device.
  ~LoopbackOutput();
  LoopbackOutput(const LoopbackOutput&) = delete;
  LoopbackOutput& operator=(const LoopbackOutput&) = delete;

  bool isOpen() const { return context_ != nullptr; }
  // Mixes the next `frames` frames.
  std::vector<float> render(uint32_t frames);

 private:
  ALCdevice* device_ = nullptr;
  ALCcontext* context_ = nullptr;
};

// Root mean square of the samples.
double rms(const std::vector<float>& samples);
// Largest absolute sample.
double peak(const std::vector<float>& samples);
// The frequency of a rendered tone, from its upward zero crossings.
double measuredFrequency(const std::vector<float>& samples, int32_t rate);

// A loopback output with the OpenAL sound device installed on it; the sound list is emptied
// and the device removed after each test.
class LoopbackSoundTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  std::vector<float> render(uint32_t frames) { return output_->render(frames); }

 private:
  std::unique_ptr<LoopbackOutput> output_;
};
