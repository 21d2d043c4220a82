// Frames of the real game in an 800 x 600 window on the test level, with 128, 1,024 and
// 4,096 particles: the frame rate, and one frame's time split into its simulation and its
// drawing. Under Mesa's software renderer the water's sprites (five per particle, in two
// passes) are most of the drawing. Needs a display; `make bench` provides a virtual one.

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>

#include "effect_scene.h"
#include "game/app/game.h"
#include "game/console/console.h"
#include "game/level/level_data.h"
#include "game/level/level_renderers.h"
#include "game/platform/textures.h"
#include "game/platform/window.h"
#include "game/simulation/simulation.h"
#include "game/water/fx_particles.h"
#include "game/water/particle_manager.h"
#include "game/world/camera.h"

namespace {

constexpr int32_t kWidth = 800;
constexpr int32_t kHeight = 600;
constexpr float kFrameSeconds = 1.0f / 60.0f;
constexpr int32_t kSettlingFrames = 60;
constexpr int32_t kTopUps = 4;

// The window and its services stay up for the whole program: a window can't be made twice
// cheaply, and every scene draws into the same one.
bool openWindow() {
  static bool open = false;
  if (open) return true;
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return false;
  std::filesystem::current_path(VELLMOOR_DATA_DIR);
  window::createWindow("Vellmoor benchmark", kWidth, kHeight);
  window::setVsync(false);
  textures::initTextures();
  console::initialise();
  level::installLevelRenderers();
  open = true;
  return true;
}

// The test level with `particles` of water around its water start, past the opening move
// and settled.
class GameScene {
 public:
  explicit GameScene(int64_t particles) {
    level::loadSurfaces();
    Game::initialise("test\\testLevel.swah");
    camera::setMode(camera::kFollow);
    // Water poured into the cup overflows and some of it leaves the level, so the water is
    // topped up a few times while it settles.
    const Vec2 start = level::waterStart();
    const float radius = 10.0f * std::sqrt(static_cast<float>(particles) / 128.0f);
    for (int32_t round = 0; round < kTopUps; ++round) {
      const auto missing = particles - static_cast<int64_t>(particle_manager::particleCount());
      if (missing > 0)
        particle_manager::createParticles(start.x, start.y, radius, static_cast<int32_t>(missing));
      for (int32_t frame = 0; frame < kSettlingFrames; ++frame) step();
    }
  }
  ~GameScene() { Game::shutdown(); }

  static void step() { simulation::step(kFrameSeconds); }
};

void setFrameCounters(benchmark::State& state) {
  state.counters["particles"] = static_cast<double>(particle_manager::particleCount());
  // Frames per second of wall time: the software renderer draws on threads of its own.
  state.counters["fps"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// The frame rates the game aims at under the software renderer: 60 frames a second with 4,096
// particles and 120 with 1,024, shown beside what a run reaches.
double goalFramesPerSecond(int64_t particles) {
  if (particles >= 4096) return 60.0;
  return particles >= 1024 ? 120.0 : 0.0;
}

// A whole pass of the main loop as the game runs it: events, a tick, drawing, the swap.
void GameFrame(benchmark::State& state) {
  if (!openWindow()) return state.SkipWithError("no display");
  const GameScene scene(state.range(0));
  for (auto _ : state) {
    window::pumpMessages();
    Game::frame();
  }
  setFrameCounters(state);
  if (const double goal = goalFramesPerSecond(state.range(0)); goal > 0.0)
    state.counters["goal fps"] = goal;
}

// The frame's simulation half: one step of movers, water and triggers.
void GameFrameSimulation(benchmark::State& state) {
  if (!openWindow()) return state.SkipWithError("no display");
  const GameScene scene(state.range(0));
  for (auto _ : state) GameScene::step();
  setFrameCounters(state);
}

// The frame's drawing half, with the buffer swap, which waits for the software renderer to
// finish the frame.
void GameFrameDrawing(benchmark::State& state) {
  if (!openWindow()) return state.SkipWithError("no display");
  const GameScene scene(state.range(0));
  for (auto _ : state) Game::draw();
  setFrameCounters(state);
}

// Whole frames of 128 particles with twenty emitters keeping 10,000 effect sprites alive,
// against none: what the sprites add to a frame under the software renderer.
void GameFrameEffects(benchmark::State& state) {
  if (!openWindow()) return state.SkipWithError("no display");
  const GameScene scene(128);
  addBenchEmitters(state.range(0), kFrameSeconds);
  for (auto _ : state) {
    window::pumpMessages();
    Game::frame();
  }
  setFrameCounters(state);
  state.counters["sprites"] = static_cast<double>(fx_particles::particleList().size());
}

BENCHMARK(GameFrameEffects)
    ->Arg(0)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);
BENCHMARK(GameFrame)
    ->Arg(128)
    ->Arg(1024)
    ->Arg(4096)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);
BENCHMARK(GameFrameSimulation)
    ->Arg(128)
    ->Arg(1024)
    ->Arg(4096)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(GameFrameDrawing)
    ->Arg(128)
    ->Arg(1024)
    ->Arg(4096)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
