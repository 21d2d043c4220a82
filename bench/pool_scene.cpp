#include "pool_scene.h"

#include <fstream>
#include <string>

#include "common/random.h"
#include "game/console/console.h"
#include "game/entities/triggers.h"
#include "game/level/level_data.h"
#include "game/simulation/level_completion.h"
#include "game/simulation/level_loading.h"
#include "game/water/particle_manager.h"
#include "game/world/camera.h"

namespace {

constexpr float kSpacing = 3.4f;
constexpr int32_t kWallThickness = 40;
constexpr int32_t kBasinHeight = 700;

int particlesPerRow() {
  return int((kBasinWidth - 6) / kSpacing);
}

level_file::PolygonRecord wall(int32_t left, int32_t top, int32_t right, int32_t bottom) {
  level_file::PolygonRecord p;
  p.surface = 3;
  p.layer = 2;
  p.points = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
  return p;
}

std::string writeBasin(level_file::LevelFileContents level) {
  const int32_t half = kBasinWidth / 2, t = kWallThickness;
  level.polygons.push_back(wall(-half - t, 0, half + t, t));           // floor
  level.polygons.push_back(wall(-half - t, -kBasinHeight, -half, 0));  // left side
  level.polygons.push_back(wall(half, -kBasinHeight, half + t, 0));    // right side
  const auto bytes = level_file::writeLevelFile(level);
  const auto path = std::filesystem::temp_directory_path() / "vmr_bench_basin.swah";
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return path.string();
}

}  // namespace

PoolScene::PoolScene(int64_t particles, const level_file::LevelFileContents& extras)
    : previous_(std::filesystem::current_path()) {
  std::filesystem::current_path(VELLMOOR_DATA_DIR);
  console::initialise();
  level::loadLevel(writeBasin(extras));
  triggers::readTemperatureSettings();
  particle_manager::initialise();
  camera::initialise();
  level_completion::initialise();
  rng::seed(1);
  depth_ = kSpacing * float(particles) / float(particlesPerRow());
  camera::setPosition({0.0f, -depth_ * 0.5f});
  camera::setMode(camera::kFollow);
}

PoolScene::~PoolScene() {
  particle_manager::shutdown();
  level::clearLevel();
  console::shutdown();
  std::filesystem::current_path(previous_);
}

void pourPool(int64_t count) {
  const int perRow = particlesPerRow();
  for (int64_t i = 0; i < count; ++i) {
    const float x = -float(kBasinWidth) * 0.5f + 3.0f + kSpacing * float(i % perRow);
    const float y = -2.5f - kSpacing * float(i / perRow);
    particle_manager::createParticles(x, y, 0.5f, 1);
  }
}

void setParticleCounters(benchmark::State& state, double particles) {
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
