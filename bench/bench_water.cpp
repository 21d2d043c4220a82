// One simulation step of a pool of water in a basin, for pools of growing size: the cost
// per particle per step shows whether the step stays near linear.
//
// Two scenes. A freshly poured pool has its particles 3.4 apart, each with a handful of
// neighbours. A settled pool is what the water rules make of it after five seconds: the
// cohesion pull grows with the distance from the body's centre while the neighbour push is
// capped, so a body ends up about 130 units across whatever its size, and a big one is
// packed so densely that each particle has hundreds of neighbours to share velocity and
// heat with. Its cost per particle grows with that density, not with the machinery.

#include <benchmark/benchmark.h>

#include <chrono>

#include "game/water/neighbour_meeting.h"
#include "game/water/particle_grid.h"
#include "game/water/particle_manager.h"
#include "pool_scene.h"

namespace {

constexpr float kStep = 0.01f;

// The first step of a freshly poured pool, poured again before every step.
void WaterStepPoured(benchmark::State& state) {
  const PoolScene scene(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    particle_manager::deleteAllWater();
    pourPool(state.range(0));
    state.ResumeTiming();
    particle_manager::step(kStep);
  }
  setParticleCounters(state, double(state.range(0)));
  state.counters["rss MB"] = residentMegabytes();
}
BENCHMARK(WaterStepPoured)
    ->Arg(128)
    ->Arg(1024)
    ->Arg(4096)
    ->Arg(16384)
    ->Unit(benchmark::kMillisecond);

// The pool after the water rules have settled it for five seconds. At 16,384 particles the
// 150 settling steps take most of the scene's time, about 15 seconds; fewer, longer steps
// would settle a different pool.
void settlePool(int64_t particles) {
  pourPool(particles);
  for (int tick = 0; tick < 150; ++tick) particle_manager::step(0.0333f);
}

// The neighbour pairs each particle examined per iteration and what one pair cost, given
// the pairs examined before the timing began.
void setPairCounters(benchmark::State& state, uint64_t pairsBefore,
                     std::chrono::steady_clock::time_point started) {
  const std::chrono::duration<double, std::nano> elapsed =
      std::chrono::steady_clock::now() - started;
  const double pairs = double(neighbour_meeting::examinedPairs() - pairsBefore);
  const double particles = double(particle_manager::particleCount());
  setParticleCounters(state, particles);
  state.counters["pairs"] = pairs / (double(state.iterations()) * particles);
  state.counters["ns per pair"] = elapsed.count() / pairs;
}

// Whole steps of the settled pool; a pair's cost is the whole step over the pairs.
void WaterStepSettled(benchmark::State& state) {
  const PoolScene scene(state.range(0));
  settlePool(state.range(0));
  const uint64_t pairsBefore = neighbour_meeting::examinedPairs();
  const auto started = std::chrono::steady_clock::now();
  for (auto _ : state) particle_manager::step(kStep);
  setPairCounters(state, pairsBefore, started);
  state.counters["rss MB"] = residentMegabytes();
}
BENCHMARK(WaterStepSettled)
    ->Arg(128)
    ->Arg(1024)
    ->Arg(4096)
    ->Arg(16384)
    ->Unit(benchmark::kMillisecond);

// The meeting alone: every particle of the settled pool meets its neighbours once per
// iteration, in list order, and nothing moves. A step skips the particles at rest, so its
// pairs per particle are fewer; at 1,024 particles, where each has few neighbours, the rest
// of the step weighs most.
void NeighbourMeetingSettled(benchmark::State& state) {
  const PoolScene scene(state.range(0));
  settlePool(state.range(0));
  ParticleList& particles = particle_manager::particleList();
  particle_grid::link(particles);
  const uint64_t pairsBefore = neighbour_meeting::examinedPairs();
  const auto started = std::chrono::steady_clock::now();
  for (auto _ : state)
    for (Particle& p : particles) benchmark::DoNotOptimize(neighbour_meeting::meetNeighbours(p));
  setPairCounters(state, pairsBefore, started);
}
BENCHMARK(NeighbourMeetingSettled)
    ->Arg(1024)
    ->Arg(4096)
    ->Arg(16384)
    ->Unit(benchmark::kMillisecond);

}  // namespace
