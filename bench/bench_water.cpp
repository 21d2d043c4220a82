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

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/random.h"
#include "game/console/console.h"
#include "game/core/camera.h"
#include "game/level/level_data.h"
#include "game/level/level_file_format.h"
#include "game/water/particle_manager.h"

namespace {

constexpr float kStep = 0.01f;

// A basin `width` wide inside walls 40 thick, open at the top, its floor at y = 0.
std::string writeBasin(int32_t width, int32_t depth) {
  level_file::LevelFileContents level;
  auto wall = [&](int32_t left, int32_t top, int32_t right, int32_t bottom) {
    level_file::PolygonRecord p;
    p.surface = 3;
    p.layer = 2;
    p.points = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
    level.polygons.push_back(p);
  };
  const int32_t half = width / 2;
  wall(-half - 40, 0, half + 40, 40);  // floor
  wall(-half - 40, -depth, -half, 0);  // left side
  wall(half, -depth, half + 40, 0);    // right side
  const auto bytes = level_file::writeLevelFile(level);
  const auto path = std::filesystem::temp_directory_path() / "vmr_bench_basin.swah";
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return path.string();
}

// Rows of particles 3.4 apart filling the basin from its floor.
void pourPool(int64_t count, int32_t width) {
  const int perRow = int((width - 6) / 3.4f);
  for (int64_t i = 0; i < count; ++i) {
    const float x = -float(width) * 0.5f + 3.0f + 3.4f * float(i % perRow);
    const float y = -2.5f - 3.4f * float(i / perRow);
    particle_manager::createParticles(x, y, 0.5f, 1);
  }
}

constexpr int32_t kBasinWidth = 560;

// A basin level with the water manager and the camera up, the camera on the pool.
class PoolScene {
 public:
  explicit PoolScene(int64_t count) : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(VELLMOOR_DATA_DIR);
    console::initialise();
    level::loadLevel(writeBasin(kBasinWidth, 700));
    particle_manager::initialise();
    camera::initialise();
    rng::seed(1);
    const float rows = float(count) / float(int((kBasinWidth - 6) / 3.4f));
    camera::setPosition({0.0f, -3.4f * rows * 0.5f});
    camera::setMode(camera::kFollow);
  }
  ~PoolScene() {
    particle_manager::shutdown();
    level::clearLevel();
    console::shutdown();
    std::filesystem::current_path(previous_);
  }

 private:
  std::filesystem::path previous_;
};

void setCounters(benchmark::State& state, double particles) {
  state.counters["particles"] = particles;
  state.counters["ns/particle"] =
      benchmark::Counter(double(state.iterations()) * particles,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

double residentMegabytes() {
  std::ifstream status("/proc/self/status");
  std::string key;
  for (double kilobytes = 0; status >> key;)
    if (key == "VmRSS:" && status >> kilobytes) return kilobytes / 1024.0;
  return 0.0;
}

// The first step of a freshly poured pool, poured again before every step.
void WaterStepPoured(benchmark::State& state) {
  const PoolScene scene(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    particle_manager::deleteAllWater();
    pourPool(state.range(0), kBasinWidth);
    state.ResumeTiming();
    particle_manager::step(kStep);
  }
  setCounters(state, double(state.range(0)));
  state.counters["rss MB"] = residentMegabytes();
}
BENCHMARK(WaterStepPoured)
    ->Arg(128)
    ->Arg(1024)
    ->Arg(4096)
    ->Arg(16384)
    ->Unit(benchmark::kMillisecond);

// Steps of the pool once the water rules have settled it for five seconds. At 16,384
// particles the settling alone takes over a minute, so the scene stops at 4,096.
void WaterStepSettled(benchmark::State& state) {
  const PoolScene scene(state.range(0));
  pourPool(state.range(0), kBasinWidth);
  for (int tick = 0; tick < 150; ++tick) particle_manager::step(0.0333f);
  const double particles = double(particle_manager::particleCount());
  for (auto _ : state) particle_manager::step(kStep);
  setCounters(state, particles);
  state.counters["rss MB"] = residentMegabytes();
}
BENCHMARK(WaterStepSettled)->Arg(128)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);

}  // namespace
