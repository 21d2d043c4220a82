// Loading levels: reading, checking and triangulating the polygons of a level file, with
// and without building the collision tree.

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "game/console/console.h"
#include "game/level/collision_tree.h"
#include "game/level/level_data.h"
#include "game/level/level_file_format.h"
#include "game/simulation/level_file.h"
#include "game/simulation/level_loading.h"

namespace {

// A cog of `points` outline points: alternating outer and inner radius, so half of its
// corners are reflex and the triangulation has to search for its ears.
level_file::PolygonRecord cog(int32_t centreX, int32_t centreY, int points) {
  level_file::PolygonRecord p;
  p.surface = 3;
  p.layer = 2;
  for (int i = 0; i < points; ++i) {
    const double angle = 6.283185307179586 * i / points;
    const double radius = i % 2 == 0 ? 400.0 : 300.0;
    p.points.push_back({centreX + int32_t(std::lround(radius * std::cos(angle))),
                        centreY + int32_t(std::lround(radius * std::sin(angle)))});
  }
  return p;
}

// `polygons` cogs of `pointsEach` points on a grid, written to a file in the temp folder.
std::string writeCogLevel(int polygons, int pointsEach) {
  level_file::LevelFileContents level;
  const int perRow = int(std::ceil(std::sqrt(polygons)));
  for (int i = 0; i < polygons; ++i)
    level.polygons.push_back(cog(1000 * (i % perRow), 1000 * (i / perRow), pointsEach));
  const auto bytes = level_file::writeLevelFile(level);
  const auto path = std::filesystem::temp_directory_path() /
                    ("vmr_bench_cogs_" + std::to_string(polygons) + ".swah");
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return path.string();
}

void setCounters(benchmark::State& state, int polygons, int pointsEach) {
  state.counters["points"] = double(polygons) * pointsEach;
  state.counters["s/load"] = benchmark::Counter(
      double(state.iterations()), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Reading, checking, triangulating and handing over; no collision tree.
void LevelFileLoad(benchmark::State& state) {
  const int polygons = int(state.range(0)), pointsEach = int(state.range(1));
  const std::string path = writeCogLevel(polygons, pointsEach);
  console::initialise();
  for (auto _ : state) benchmark::DoNotOptimize(level::loadLevelFile(path));
  setCounters(state, polygons, pointsEach);
  level::clearLevel();
  console::shutdown();
}
BENCHMARK(LevelFileLoad)
    ->Args({1000, 100})
    ->Args({100, 1000})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// The whole load the game does, the collision tree included; its splitter choice is
// quadratic in the edges, so this runs on a level a tenth of the size above.
void LevelLoad(benchmark::State& state) {
  const int polygons = int(state.range(0)), pointsEach = int(state.range(1));
  const std::string path = writeCogLevel(polygons, pointsEach);
  console::initialise();
  for (auto _ : state) benchmark::DoNotOptimize(level::loadLevel(path));
  setCounters(state, polygons, pointsEach);
  level::clearLevel();
  console::shutdown();
}
BENCHMARK(LevelLoad)->Args({100, 100})->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
