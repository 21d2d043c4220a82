// The music streamer's share of one processor while it plays the game's theme: the mix is
// rendered in real time, one game frame of samples every 1/60 s, and the streaming thread's
// own processor time (it is named "vmr-music") is read from /proc.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "game/platform/music.h"
#include "game/platform/music_device.h"
#include "game/platform/openal_music_device.h"
#include "loopback_output.h"

namespace {

// User plus system time of the process's thread called `name`, in seconds.
std::optional<double> threadCpuSeconds(const std::string& name) {
  for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
    std::ifstream comm(task.path() / "comm");
    std::string threadName;
    std::getline(comm, threadName);
    if (threadName != name) continue;
    std::ifstream statFile(task.path() / "stat");
    std::string stat((std::istreambuf_iterator<char>(statFile)), {});
    // The fields after the parenthesised name: utime and stime are the 12th and 13th.
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    for (int i = 0; i < 11; ++i) fields >> field;
    double user = 0, system = 0;
    fields >> user >> system;
    return (user + system) / double(sysconf(_SC_CLK_TCK));
  }
  return std::nullopt;
}

void MusicStreamerCpuShare(benchmark::State& state) {
  LoopbackOutput output;
  if (output.context == nullptr) return state.SkipWithError("no OpenAL loopback device");
  music::installMusicDevice(std::make_unique<audio::OpenAlMusicDevice>(output.context));
  music::initMusic();
  if (!music::playMusic(VELLMOOR_DATA_DIR "/music/theme.ogg", true))
    return state.SkipWithError("the theme didn't play");
  std::vector<float> mix(size_t(kFramesPerTick) * 2);
  const auto tick = std::chrono::microseconds(1'000'000 / 60);
  const std::optional<double> before = threadCpuSeconds("vmr-music");
  const auto start = std::chrono::steady_clock::now();
  auto next = start;
  for (auto _ : state) {
    output.render(output.device, mix.data(), kFramesPerTick);
    next += tick;
    std::this_thread::sleep_until(next);
  }
  const double wall =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const std::optional<double> after = threadCpuSeconds("vmr-music");
  if (before && after) state.counters["streamer_cpu_percent"] = 100.0 * (*after - *before) / wall;
  music::shutdownMusic();
  music::installMusicDevice(nullptr);
}
// Ten seconds of music, so the clock's ticks (1/100 s) resolve the share.
BENCHMARK(MusicStreamerCpuShare)->Iterations(600)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
