#pragma once
// A basin level with a pool of water poured into it, for the benchmarks of the water and
// of everything that acts on it.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>

#include "game/level/level_file_format.h"

// The basin is this wide inside its walls; its floor lies at y = 0, its top at -700.
constexpr int32_t kBasinWidth = 560;

// Loads the basin (with `extras` added to its records), starts the water and the camera on
// the pool's middle, and takes it all down again at the end of the scene.
class PoolScene {
 public:
  explicit PoolScene(int64_t particles,
                     const level_file::LevelFileContents& extras = level_file::LevelFileContents{});
  ~PoolScene();
  PoolScene(const PoolScene&) = delete;
  PoolScene& operator=(const PoolScene&) = delete;

  // How high the pool stands once poured.
  float depth() const { return depth_; }

 private:
  std::filesystem::path previous_;
  float depth_ = 0.0f;
};

// Rows of particles 3.4 apart filling the basin from its floor.
void pourPool(int64_t count);

// Wall time and iterations turned into nanoseconds per particle per step.
void setParticleCounters(benchmark::State& state, double particles);

double residentMegabytes();
