// Writing and reading a replay file: a minute of play at 60 ticks a second with a turning key
// held, the frame time changing every 16 ticks and the clock stepping 16 or 17 ms. Costs are per tick, so the recorder's
// share of a frame is plain; the file's size is given per minute of play.

#include <benchmark/benchmark.h>

#include "game/simulation/replay_file.h"

namespace {

constexpr uint32_t kTicksPerMinute = 60 * 60;

replay::Replay heldKeysMinute() {
  replay::Replay r;
  r.header = {"1.03", "lev\\01_first_turn.swah", 1, 2, 1024, 768, false, kTicksPerMinute, 3, {}};
  for (uint32_t i = 0; i < kTicksPerMinute; ++i) {
    // 1/60 s and its neighbour float, as a frame timer's jitter gives them.
    const uint32_t step = (i / 16) % 2 == 0 ? 0x3C888889 : 0x3C88888A;
    // The level clock reads whole milliseconds: 17, 17, 16 at 60 frames a second.
    r.ticks.push_back({step, true, false, 0, 0.0f, false, {}, true, false, i % 3 == 2 ? 16u : 17u});
  }
  return r;
}

void setCounters(benchmark::State& state, size_t fileBytes) {
  state.counters["s/tick"] =
      benchmark::Counter(double(state.iterations()) * kTicksPerMinute,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
  state.counters["bytes per minute"] = double(fileBytes);
}

void ReplayWrite(benchmark::State& state) {
  const replay::Replay minute = heldKeysMinute();
  size_t fileBytes = 0;
  for (auto _ : state) {
    const std::vector<uint8_t> bytes = replay::serializeReplay(minute);
    fileBytes = bytes.size();
    benchmark::DoNotOptimize(bytes.data());
  }
  setCounters(state, fileBytes);
}
BENCHMARK(ReplayWrite)->Unit(benchmark::kMicrosecond);

void ReplayRead(benchmark::State& state) {
  const std::vector<uint8_t> bytes = replay::serializeReplay(heldKeysMinute());
  for (auto _ : state) benchmark::DoNotOptimize(replay::parseReplay(bytes));
  setCounters(state, bytes.size());
}
BENCHMARK(ReplayRead)->Unit(benchmark::kMicrosecond);

}  // namespace
