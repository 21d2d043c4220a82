// Recording and playing back a run of the test level, as the game and vmr_sim do: what the
// recorder adds to a tick, and how much faster than real time a replay plays back headless.

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>

#include "common/random.h"
#include "game/console/console.h"
#include "game/platform/game_clock.h"
#include "game/platform/headless_services.h"
#include "game/platform/virtual_keys.h"
#include "game/simulation/camera_steering.h"
#include "game/simulation/replay_player.h"
#include "game/simulation/replay_recorder.h"
#include "game/simulation/simulation.h"

namespace {

constexpr float kStep = 1.0f / 60.0f;
constexpr int kTicks = 60 * 30;  // half a minute of play
constexpr const char* kLevel = "test\\testLevel.swah";

// Half a minute on the test level at 60 ticks a second, leaning right, then left.
replay::Replay recordedRun() {
  rng::seed(1);
  const uint64_t start = rng::position();
  game_clock::useSimulatedClock();
  simulation::startLevel(kLevel);
  ReplayRecorder recorder(replayHeaderHere(kLevel, start));
  platform::HeadlessServices& keys = platform::headlessServices();
  for (int tick = 0; tick < kTicks; ++tick) {
    keys.setKeyDown(vk::kRight, tick > 60 && tick < 100);
    keys.setKeyDown(vk::kLeft, tick > 160 && tick < 200);
    game_clock::advance(kStep);
    recorder.recordTick(kStep, {}, simulation::tick(kStep));
  }
  keys.releaseAllKeys();
  replay::Replay run = recorder.finish();
  simulation::endLevel();
  return run;
}

class LevelFolder {
 public:
  LevelFolder() : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(VELLMOOR_DATA_DIR);
    console::initialise();
  }
  ~LevelFolder() {
    console::shutdown();
    game_clock::useRealClock();
    std::filesystem::current_path(previous_);
  }

 private:
  std::filesystem::path previous_;
};

void ReplayRecordTick(benchmark::State& state) {
  simulation::TickReport report;
  report.turnInput = camera::TurnInput{true, false, 3};
  for (auto _ : state) {
    ReplayRecorder recorder({});
    for (int tick = 0; tick < kTicks; ++tick) recorder.recordTick(kStep, {}, report);
    benchmark::DoNotOptimize(recorder.tickCount());
  }
  state.counters["s/tick"] = benchmark::Counter(double(state.iterations()) * kTicks,
                                                benchmark::Counter::kIsRate |
                                                    benchmark::Counter::kInvert);
}
BENCHMARK(ReplayRecordTick)->Unit(benchmark::kMicrosecond);

// The counter "x real time" is the half minute of play over the time its playback takes.
void ReplayPlaybackTestLevel(benchmark::State& state) {
  LevelFolder folder;
  const replay::Replay run = recordedRun();
  std::chrono::steady_clock::duration playing{};
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    rng::restore(run.header.seed);
    game_clock::useSimulatedClock();
    simulation::startLevel(kLevel);
    ReplayPlayer player(run);
    while (!player.done()) player.playTick();
    playing += std::chrono::steady_clock::now() - start;
    state.PauseTiming();
    if (simulation::stateHash() != run.header.finalStateHash)
      state.SkipWithError("the playback left another state");
    simulation::endLevel();
    state.ResumeTiming();
  }
  const double seconds = std::chrono::duration<double>(playing).count();
  state.counters["x real time"] = double(state.iterations()) * kTicks * kStep / seconds;
}
BENCHMARK(ReplayPlaybackTestLevel)->Unit(benchmark::kMillisecond);

}  // namespace
