// Effect sprites: twenty emitters in view (effect_scene.h) keeping the scene's count of
// sprites alive; the cost of one emitter step and of sorting the sprites into their drawing
// runs, each alone and together. The game's budget for both at 10,000 sprites is 1 ms a
// frame; the "target ms" column shows it next to the result.

#include <benchmark/benchmark.h>

#include "effect_scene.h"
#include "game/water/fx_particles.h"
#include "pool_scene.h"

namespace {

constexpr float kStep = 0.01f;

class EffectScene {
 public:
  explicit EffectScene(int64_t sprites) : pool_(0) {
    fx_particles::initialise();
    addBenchEmitters(sprites, kStep);
  }
  ~EffectScene() { fx_particles::shutdown(); }

 private:
  PoolScene pool_;
};

void setCounters(benchmark::State& state) {
  state.counters["sprites"] = double(fx_particles::particleList().size());
  state.counters["target ms"] = kEffectTargetMilliseconds;
  state.counters["ns/sprite"] =
      benchmark::Counter(double(fx_particles::particleList().size()) * double(state.iterations()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void FxEmitterStep(benchmark::State& state) {
  const EffectScene scene(state.range(0));
  for (auto _ : state) fx_particles::step(kStep);
  setCounters(state);
}

void FxSpriteRuns(benchmark::State& state) {
  const EffectScene scene(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(fx_particles::buildSpriteRuns().data());
  setCounters(state);
}

void FxStepAndSpriteRuns(benchmark::State& state) {
  const EffectScene scene(state.range(0));
  for (auto _ : state) {
    fx_particles::step(kStep);
    benchmark::DoNotOptimize(fx_particles::buildSpriteRuns().data());
  }
  setCounters(state);
}

BENCHMARK(FxEmitterStep)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(FxSpriteRuns)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(FxStepAndSpriteRuns)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
