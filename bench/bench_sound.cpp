// Sound effects on the game thread: 64 looping instances of one sample, each changing its
// pitch and volume every tick, mixed by OpenAL Soft's loopback device. Only the game's calls
// are timed, so the time is the game thread's cost per tick and an item one instance's
// update; a tick's mixing (1/60 s of samples) runs between the timed parts, as the mixer's
// own thread would run it.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "game/platform/openal_sound_device.h"
#include "game/platform/sound_instance.h"
#include "game/platform/sound_list.h"
#include "loopback_output.h"

namespace {

void put(std::ofstream& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.put(char((value >> (8 * i)) & 0xff));
}

// One second of a 440 Hz sine, 16-bit mono at 22050 Hz.
std::filesystem::path writeSineFile() {
  const auto path = std::filesystem::temp_directory_path() / "vmr_bench_sine.wav";
  constexpr uint32_t kRate = 22050;
  std::ofstream out(path, std::ios::binary);
  out << "RIFF";
  put(out, 36 + kRate * 2, 4);
  out << "WAVEfmt ";
  put(out, 16, 4);
  put(out, 1, 2);
  put(out, 1, 2);
  put(out, kRate, 4);
  put(out, kRate * 2, 4);
  put(out, 2, 2);
  put(out, 16, 2);
  out << "data";
  put(out, kRate * 2, 4);
  for (uint32_t i = 0; i < kRate; ++i) {
    put(out, uint32_t(int32_t(8000 * std::sin(i * 440.0 * 6.2831853 / kRate))) & 0xffff, 2);
  }
  return path;
}

void SoundInstancesPerTick(benchmark::State& state) {
  const auto count = int32_t(state.range(0));
  LoopbackOutput output;
  if (output.context == nullptr) {
    state.SkipWithError("no OpenAL loopback device");
    return;
  }
  sound::installSoundDevice(std::make_unique<audio::OpenAlSoundDevice>());
  const std::string file = writeSineFile().string();
  std::vector<float> mix(size_t(kFramesPerTick) * 2);
  {
    const sound::SoundInstance first{file};
    std::vector<sound::SoundInstance> instances(size_t(count), first);
    for (auto& instance : instances) instance.playLooped();
    int64_t tick = 0;
    for (auto _ : state) {
      const auto start = std::chrono::steady_clock::now();
      for (int32_t i = 0; i < count; ++i) {
        const float phase = float(tick + i) * 0.05f;
        instances[size_t(i)].setPitch(0.2f * std::sin(phase));
        instances[size_t(i)].setVolume(0.5f + 0.4f * std::cos(phase));
      }
      const auto end = std::chrono::steady_clock::now();
      state.SetIterationTime(std::chrono::duration<double>(end - start).count());
      output.render(output.device, mix.data(), kFramesPerTick);
      ++tick;
    }
  }
  sound::clearSoundList();
  sound::installSoundDevice(nullptr);
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(SoundInstancesPerTick)->Arg(64)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
