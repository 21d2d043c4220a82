// Effect sprites: twenty emitters in view, run from the shipped emitter settings until the
// sprites they keep alive reach the scene's count, then the cost of one emitter step and of
// sorting the sprites into their drawing runs, each alone and together. The game's budget for
// both at 10,000 sprites is 1 ms a frame; the "target ms" column shows it next to the result.

#include <benchmark/benchmark.h>

#include <array>
#include <string_view>

#include "game/core/camera.h"
#include "game/water/fx_particles.h"
#include "pool_scene.h"

namespace {

constexpr int kEmitters = 20;
constexpr float kStep = 0.01f;
constexpr float kLifetime = 2.0f;
constexpr double kTargetMilliseconds = 1.0;
constexpr std::array<std::string_view, 4> kSettings = {"fx\\splash.cfg", "fx\\spark.cfg",
                                                       "fx\\smoke.cfg", "fx\\steam.cfg"};

// Emitters spread over the view, each releasing its share of `sprites` per lifetime; the
// scene runs one lifetime so births and deaths balance.
class EffectScene {
 public:
  explicit EffectScene(int64_t sprites) : pool_(0) {
    fx_particles::initialise();
    const Vec2 centre = camera::centre();
    for (int i = 0; i < kEmitters; ++i) {
      FxEmitter emitter = fx_particles::createEmitter();
      emitter.setPosition(centre.x - 300.0f + 30.0f * float(i), centre.y - 100.0f);
      emitter.setDirection(0.0f, -1.0f);
      emitter.loadSettings(kSettings[size_t(i) % kSettings.size()]);
      emitter.active = true;
      emitter.interval = kLifetime * float(kEmitters) / float(sprites);
      emitter.liveTime1 = emitter.liveTime2 = kLifetime;
      fx_particles::addEmitter(std::move(emitter));
    }
    for (float t = 0.0f; t < kLifetime; t += kStep) fx_particles::step(kStep);
  }
  ~EffectScene() { fx_particles::shutdown(); }

 private:
  PoolScene pool_;
};

void setCounters(benchmark::State& state) {
  state.counters["sprites"] = double(fx_particles::particleList().size());
  state.counters["target ms"] = kTargetMilliseconds;
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
