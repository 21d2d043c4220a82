#pragma once
// OpenAL Soft's loopback device as the benchmarks' speakers: the mix is rendered into memory
// when the benchmark asks, so no sound card is needed and the amount mixed is exact.

#include <AL/alc.h>
#include <AL/alext.h>

#include <cstdint>

constexpr int32_t kOutputRate = 44100;
// One frame of the game at 60 frames per second, in output frames.
constexpr int32_t kFramesPerTick = kOutputRate / 60;

// Opens the device with a stereo float context made current; `context` stays null when the
// library has no loopback device.
struct LoopbackOutput {
  ALCdevice* device = nullptr;
  ALCcontext* context = nullptr;
  LPALCRENDERSAMPLESSOFT render = nullptr;

  LoopbackOutput();
  ~LoopbackOutput();
  LoopbackOutput(const LoopbackOutput&) = delete;
  LoopbackOutput& operator=(const LoopbackOutput&) = delete;
};
