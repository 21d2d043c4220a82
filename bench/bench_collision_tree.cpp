// The collision tree: building it for levels of growing size (the cleaning and the choice of
// each node compare every pair of edges, so the time per build shows how that scales), and
// the two queries that run while a level plays, the ray cast and the circle push, on the
// game's test level.

#include <benchmark/benchmark.h>

#include <chrono>
#include <random>
#include <vector>

#include "game/console/console.h"
#include "game/level/collision_tree.h"
#include "game/level/level_data.h"
#include "game/level/polygon.h"
#include "game/simulation/level_loading.h"

namespace {

Polygon& addPolygon(std::initializer_list<Vec2> points) {
  Polygon& polygon = level::levelPolygons().emplace_back();
  for (Vec2 p : points) polygon.addPoint(p.x, p.y);
  return polygon;
}

Polygon& addBox(float left, float top, float right, float bottom) {
  return addPolygon({{left, top}, {right, top}, {right, bottom}, {left, bottom}});
}

// Boxes of random size placed at random inside the cells of a square grid, so no two
// overlap; every fourth box has a twin sharing its whole right side, which the cleaning
// removes. Returns the number of edges collected from the outlines.
int64_t buildBoxField(int64_t edges, uint32_t seed) {
  level::levelPolygons().clear();
  std::mt19937 random(seed);
  std::uniform_real_distribution<float> size(4.0f, 12.0f), slack(0.0f, 5.0f);
  const int64_t boxes = edges / 4;
  int64_t columns = 1;
  while (columns * columns < boxes) ++columns;
  for (int64_t i = 0; i < boxes; ++i) {
    const float left = float(i % columns) * 30.0f + slack(random);
    const float top = float(i / columns) * 30.0f + slack(random);
    const float right = left + size(random), bottom = top + size(random);
    addBox(left, top, right, bottom);
    if (i % 4 == 3 && ++i < boxes) addBox(right, top, right + size(random), bottom);
  }
  return boxes * 4;
}

// The game's start map, as the build compiles it into the data folder.
void loadTestLevel() {
  console::initialise();
  level::loadLevel(VELLMOOR_TEST_LEVEL);
}

void clearLevel() {
  collision::destroyCollisionTree();
  level::levelPolygons().clear();
}

void clearTestLevel() {
  level::clearLevel();
  console::shutdown();
}

void CollisionTreeBuild(benchmark::State& state) {
  const int64_t edges = buildBoxField(state.range(0), 1);
  for (auto _ : state) collision::buildCollisionTree();
  std::vector<CollisionEdge*> nodes;
  collision::collectEdges(nodes);
  state.counters["edges"] = double(edges);
  state.counters["nodes"] = double(nodes.size());
  clearLevel();
}
BENCHMARK(CollisionTreeBuild)->Arg(1'000)->Arg(5'000)->Arg(20'000)->Unit(benchmark::kMillisecond);

struct Ray {
  Vec2 from, to;
};

std::vector<Ray> randomRays(size_t count) {
  std::mt19937 random(5);
  std::uniform_real_distribution<float> x(40.0f, 1560.0f), y(40.0f, 1160.0f), step(-800, 800);
  std::vector<Ray> rays(count);
  for (Ray& ray : rays) {
    ray.from = {x(random), y(random)};
    ray.to = ray.from + Vec2{step(random), step(random)};
  }
  return rays;
}

void CollisionCastRay(benchmark::State& state) {
  loadTestLevel();
  const std::vector<Ray> rays = randomRays(4096);
  size_t next = 0;
  int64_t hits = 0;
  for (auto _ : state) {
    const Ray& ray = rays[next++ & 4095];
    Vec2 to = ray.to;
    hits += collision::castRay(ray.from, to) != nullptr;
    benchmark::DoNotOptimize(to);
  }
  state.counters["rays/s"] =
      benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
  state.counters["hit share"] = double(hits) / double(state.iterations());
  std::vector<CollisionEdge*> nodes;
  collision::collectEdges(nodes);
  state.counters["nodes"] = double(nodes.size());
  clearTestLevel();
}
BENCHMARK(CollisionCastRay);

// The console's own ray-cast benchmark: 524,288 rays in random directions from the basin.
void CollisionBspCast(benchmark::State& state) {
  loadTestLevel();
  for (auto _ : state) console::execute("BspCast 200 200");
  state.counters["rays/s"] =
      benchmark::Counter(524288.0 * double(state.iterations()), benchmark::Counter::kIsRate);
  clearTestLevel();
}
BENCHMARK(CollisionBspCast)->Unit(benchmark::kMillisecond);

void runCircleQueries(benchmark::State& state, const std::vector<Vec2>& centres) {
  size_t next = 0;
  int64_t touched = 0;
  const auto started = std::chrono::steady_clock::now();
  for (auto _ : state) {
    Vec2 centre = centres[next++ & 4095];
    touched += collision::collideCircle(centre, 2.0f);
    benchmark::DoNotOptimize(centre);
  }
  const std::chrono::duration<double, std::nano> elapsed =
      std::chrono::steady_clock::now() - started;
  state.counters["ns/query"] = elapsed.count() / double(state.iterations());
  state.counters["touch share"] = double(touched) / double(state.iterations());
}

// Circles anywhere in the level: mostly in free space, as falling water is.
void CollisionCircleAnywhere(benchmark::State& state) {
  loadTestLevel();
  std::mt19937 random(9);
  std::uniform_real_distribution<float> x(40.0f, 1560.0f), y(40.0f, 1160.0f);
  std::vector<Vec2> centres(4096);
  for (Vec2& c : centres) c = {x(random), y(random)};
  runCircleQueries(state, centres);
  clearTestLevel();
}
BENCHMARK(CollisionCircleAnywhere);

// Circles resting against the level's edges, as settled water does: each 1.5 off a random
// point of a random edge, on its free side.
void CollisionCircleResting(benchmark::State& state) {
  loadTestLevel();
  std::vector<CollisionEdge*> edges;
  collision::collectEdges(edges);
  std::mt19937 random(13);
  std::uniform_int_distribution<size_t> pick(0, edges.size() - 1);
  std::uniform_real_distribution<float> along(0.0f, 1.0f);
  std::vector<Vec2> centres(4096);
  for (Vec2& c : centres) {
    const CollisionEdge& e = *edges[pick(random)];
    c = e.start + e.direction * (e.length * along(random)) - e.normal * 1.5f;
  }
  runCircleQueries(state, centres);
  clearTestLevel();
}
BENCHMARK(CollisionCircleResting);

}  // namespace
