// The game in its window and the headless simulator run the same tick: a level played with
// the same tick lengths, held keys and seed leaves the same water, camera and level clock
// behind after every tick, whichever of the two drove it.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "common/random.h"
#include "game/console/console.h"
#include "game/core/camera.h"
#include "game/core/game.h"
#include "game/core/game_clock.h"
#include "game/core/game_state.h"
#include "game/core/level_completion.h"
#include "game/core/simulation.h"
#include "game/platform/virtual_keys.h"
#include "game/platform/window.h"
#include "game/platform/window_services.h"
#include "game/level/level_data.h"
#include "test_support/temp_directory.h"
#include "test_support/window_fixture.h"
#include "tools/vmr_sim/sim_run.h"

namespace {

// What one tick left behind.
struct TickState {
  uint64_t hash = 0;
  int32_t cameraMode = 0;
  float cameraAngle = 0.0f;
  bool clockRan = false;  // the level clock counted this tick
  bool finishing = false;
  friend bool operator==(const TickState&, const TickState&) = default;
};

struct TickRecord {
  float seconds = 0.0f;
  bool left = false;
  bool right = false;
  TickState state;
};

TickState observe(uint32_t& clockBefore) {
  const uint32_t clock = level_completion::elapsedMs();
  const TickState state{simulation::stateHash(), camera::mode(), camera::angle(),
                        clock != clockBefore, level_completion::isFinishing()};
  clockBefore = clock;
  return state;
}

// Frame lengths in milliseconds: a steady 20, a slow stretch whose ticks the step clamps to
// 1/30 s, and a fast one where only every second frame ticks.
uint32_t frameMs(int frame) {
  if (frame >= 320 && frame < 384) return 50;
  if (frame >= 448 && frame < 512) return 5;
  return 20;
}

// The left arrow is held through one stretch of frames, the right through another.
bool holdsLeft(int frame) {
  return frame >= 260 && frame < 330;
}
bool holdsRight(int frame) {
  return frame >= 400 && frame < 470;
}

class GameMatchesSimulatorTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    inside_ = std::make_unique<WorkingDirectory>(VELLMOOR_DATA_DIR);
    console::initialise();
  }
  void TearDown() override {
    window::injectKey(vk::kLeft, false);
    window::injectKey(vk::kRight, false);
    window::pumpMessages();
    game_clock::useRealClock();
    console::shutdown();
    inside_.reset();
    WindowTest::TearDown();
  }

  // Plays the level in the window frame by frame and records each tick it ran.
  static std::vector<TickRecord> playInTheWindow(int frameCount) {
    rng::seed(kSeed);
    game_clock::useSimulatedClock();
    level::loadSurfaces();  // as the run does before its first level
    Game::initialise(kLevel);
    game_state::state().frameClock.reset();
    window::centerMouse();
    std::vector<TickRecord> ticks;
    uint32_t clock = 0;
    for (int frame = 0; frame < frameCount; ++frame) {
      window::injectKey(vk::kLeft, holdsLeft(frame));
      window::injectKey(vk::kRight, holdsRight(frame));
      window::pumpMessages();
      const float gathered = game_state::state().tickAccumulator;
      game_clock::advance(frameMs(frame) * 0.001);
      Game::frame();
      const float seconds = gathered + Game::frameTime();
      if (seconds < 0.01f) continue;
      ticks.push_back({seconds, window::isKeyDown(vk::kLeft), window::isKeyDown(vk::kRight),
                       observe(clock)});
    }
    Game::shutdown();
    return ticks;
  }

  // The same ticks through the simulator, headless, comparing as it goes.
  static void replayHeadless(const std::vector<TickRecord>& ticks) {
    SimRunSettings settings;
    settings.level = kLevel;
    settings.ticks = int64_t(ticks.size());
    settings.seed = kSeed;
    for (size_t i = 0; i < ticks.size(); ++i) {
      settings.tickTimes.push_back(ticks[i].seconds);
      if (ticks[i].left) settings.script.actions.push_back(hold(i, ScriptKey::kLeft));
      if (ticks[i].right) settings.script.actions.push_back(hold(i, ScriptKey::kRight));
    }
    uint32_t clock = 0;
    int64_t mismatches = 0;
    window::removeWindowServices();
    const auto summary = runSimulation(settings, [&](int64_t ran) {
      const TickState state = observe(clock);
      const TickState& expected = ticks[size_t(ran - 1)].state;
      if (state == expected || mismatches++ > 0) return;
      ADD_FAILURE() << "tick " << ran << ": hash " << std::hex << state.hash << " vs "
                    << expected.hash << std::dec << ", camera mode " << state.cameraMode << " vs "
                    << expected.cameraMode << ", angle " << state.cameraAngle << " vs "
                    << expected.cameraAngle << ", clock ran " << state.clockRan << " vs "
                    << expected.clockRan << ", finishing " << state.finishing;
    });
    window::installWindowServices();
    ASSERT_TRUE(summary);
    EXPECT_EQ(summary->ticks, int64_t(ticks.size()));
    EXPECT_EQ(mismatches, 0);
    simulation::endLevel();
  }

  static ScriptAction hold(size_t tick, ScriptKey key) {
    ScriptAction action;
    action.tick = int64_t(tick);
    action.kind = ScriptActionKind::kHold;
    action.key = key;
    action.holdTicks = 1;
    return action;
  }

  static constexpr const char* kLevel = "lev\\testLevel.swah";
  static constexpr uint64_t kSeed = 7;
  std::unique_ptr<WorkingDirectory> inside_;
};

TEST_F(GameMatchesSimulatorTest, EveryTickLeavesTheSameStateInTheWindowAndHeadless) {
  const std::vector<TickRecord> ticks = playInTheWindow(600);
  ASSERT_GT(ticks.size(), 400u);
  // The run covers play with both keys and clamped steps.
  EXPECT_NE(ticks.back().state.cameraMode, camera::kOpeningMove);
  const auto any = [&](auto test) { return std::any_of(ticks.begin(), ticks.end(), test); };
  EXPECT_TRUE(any([](const TickRecord& t) { return t.left; }));
  EXPECT_TRUE(any([](const TickRecord& t) { return t.right; }));
  EXPECT_TRUE(any([](const TickRecord& t) { return t.seconds > simulation::kLongestStep; }));
  replayHeadless(ticks);
}

}  // namespace
