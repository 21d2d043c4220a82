// One simulation step of a poured pool of 4,096 particles with the level's mechanics at
// work: 50 per-particle triggers over the pool and 20 moving platforms in view. Beside it
// the same triggers far outside the view, where they must cost nothing per particle, to
// read against the plain water step of the water benchmarks.

#include <benchmark/benchmark.h>

#include "game/entities/movers.h"
#include "game/entities/triggers.h"
#include "game/water/particle_manager.h"
#include "pool_scene.h"

namespace {

constexpr int64_t kParticles = 4096;
constexpr float kStep = 0.01f;
constexpr int kTriggerColumns = 25;
constexpr int kPlatforms = 20;

level_file::IntPoint at(int32_t x, int32_t y) {
  return {x, y};
}

// 25 x 2 squares tiling the pool, alternately holding the water's temperature and counting
// it into an end area, shifted `offsetX` to the side.
void addTriggers(level_file::LevelFileContents& level, int32_t offsetX) {
  const int32_t width = kBasinWidth / kTriggerColumns;
  for (int column = 0; column < kTriggerColumns; ++column) {
    for (int row = 0; row < 2; ++row) {
      const int32_t left = -kBasinWidth / 2 + column * width + offsetX, top = -90 + row * 45;
      level_file::TriggerRecord t;
      t.triggerType = (column + row) % 2 == 0 ? 1u : 801u;  // To_water_a, Level_end_a
      t.corners[0] = at(left, top);
      t.corners[1] = at(left + width, top);
      t.corners[2] = at(left + width, top + 45);
      t.corners[3] = at(left, top + 45);
      level.triggers.push_back(t);
    }
  }
}

// Small platforms above the pool, each looping 30 units sideways.
void addPlatforms(level_file::LevelFileContents& level) {
  for (int i = 0; i < kPlatforms; ++i) {
    const int32_t left = -kBasinWidth / 2 + 10 + i * 27, top = -250 + (i % 2) * 40;
    level_file::PolygonRecord p;
    p.id = uint32_t(100 + i);
    p.surface = 1;
    p.layer = 2;
    p.points = {at(left, top), at(left + 20, top), at(left + 20, top + 10), at(left, top + 10)};
    level.polygons.push_back(p);
    level.movers.push_back({p.id, 40.0f, at(0, 0), at(30 * ((i % 2) * 2 - 1), 0)});
  }
}

void stepWorld() {
  movers::buildMovingEdges();
  movers::stepMovers(kStep);
  particle_manager::step(kStep);
  triggers::step(kStep);
}

void runPouredSteps(benchmark::State& state) {
  for (Mover& mover : movers::moverList()) movers::setMoverState(mover, 4);
  for (auto _ : state) {
    state.PauseTiming();
    particle_manager::deleteAllWater();
    pourPool(kParticles);
    state.ResumeTiming();
    stepWorld();
  }
  setParticleCounters(state, double(kParticles));
}

void MechanicsStepInView(benchmark::State& state) {
  level_file::LevelFileContents extras;
  addTriggers(extras, 0);
  addPlatforms(extras);
  const PoolScene scene(kParticles, extras);
  runPouredSteps(state);
}
BENCHMARK(MechanicsStepInView)->Unit(benchmark::kMillisecond);

void MechanicsStepTriggersFarAway(benchmark::State& state) {
  level_file::LevelFileContents extras;
  addTriggers(extras, 20000);
  const PoolScene scene(kParticles, extras);
  runPouredSteps(state);
}
BENCHMARK(MechanicsStepTriggersFarAway)->Unit(benchmark::kMillisecond);

}  // namespace
