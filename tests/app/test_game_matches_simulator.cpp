// The game in its window and the headless simulator run the same tick: a level played with
// the same tick lengths, held keys and seed leaves the same water, camera and level clock
// behind after every tick, whichever of the two drove it.

#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

#include "common/random.h"
#include "game/app/frame_clock.h"
#include "game/app/game.h"
#include "game/console/console.h"
#include "game/level/level_data.h"
#include "game/platform/game_clock.h"
#include "game/platform/virtual_keys.h"
#include "game/platform/window.h"
#include "game/platform/window_services.h"
#include "game/simulation/simulation.h"
#include "game/world/camera.h"
#include "game/world/level_record.h"
#include "game/world/screen_flow.h"
#include "test_support/temp_directory.h"
#include "test_support/window_fixture.h"
#include "tools/vmr_sim/sim_run.h"

namespace {

constexpr const char* kLevel = "test\\testLevel.swah";

// The water's hash, the camera's mode and angle, whether the level clock counted the tick,
// whether the level is won.
using TickState = std::tuple<uint64_t, int32_t, float, bool, bool>;

TickState observe(uint32_t& clockBefore) {
  const uint32_t clock = std::exchange(clockBefore, level_record::elapsedMs());
  return {simulation::stateHash(), camera::mode(), camera::angle(), clock != clockBefore,
          level_record::isFinishing()};
}

// Steady 20 ms frames, a slow stretch whose steps are clamped to 1/30 s, a fast one where
// only every second frame ticks; the left arrow held through one stretch, the right through
// another.
uint32_t frameMs(int frame) {
  return frame >= 320 && frame < 384 ? 50 : frame >= 448 && frame < 512 ? 5 : 20;
}
bool holds(int frame, int32_t key) {
  return key == vk::kLeft ? frame >= 260 && frame < 330 : frame >= 400 && frame < 470;
}

ScriptAction holdFor(size_t tick, ScriptKey key) {
  ScriptAction action;
  action.at = ScriptTime::ticks(double(tick));
  action.kind = ScriptActionKind::kHold;
  action.key = key;
  action.holdFor = ScriptTime::ticks(1);
  return action;
}

class GameMatchesSimulatorTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    inside_ = std::make_unique<WorkingDirectory>(VELLMOOR_DATA_DIR);
    console::initialise();
    rng::seed(7);
    game_clock::useSimulatedClock();
  }
  void TearDown() override {
    game_clock::useRealClock();
    console::shutdown();
    inside_.reset();
    WindowTest::TearDown();
  }

  // Plays the level frame by frame as the run does, and records what each tick was given
  // (its length in the simulator's settings, its held keys in the script) and left behind.
  void playInTheWindow(int frameCount) {
    level::loadSurfaces();
    Game::initialise(kLevel);
    Game::setMenu(screen_flow::kPlay);  // straight into play, as the simulator starts
    frame_clock::restart();
    window::centerMouse();
    uint32_t clock = 0;
    for (int frame = 0; frame < frameCount; ++frame) {
      for (int32_t key : {vk::kLeft, vk::kRight}) window::injectKey(key, holds(frame, key));
      window::pumpMessages();
      const float gathered = frame_clock::gathered();
      game_clock::advance(frameMs(frame) * 0.001);
      Game::frame();
      const float seconds = gathered + frame_clock::frameTime();
      if (seconds < 0.01f) continue;
      const size_t tick = ticks_.tickTimes.size();
      ticks_.tickTimes.push_back(seconds);
      if (window::isKeyDown(vk::kLeft))
        ticks_.script.actions.push_back(holdFor(tick, ScriptKey::kLeft));
      if (window::isKeyDown(vk::kRight))
        ticks_.script.actions.push_back(holdFor(tick, ScriptKey::kRight));
      states_.push_back(observe(clock));
    }
    Game::shutdown();
    for (int32_t key : {vk::kLeft, vk::kRight}) window::injectKey(key, false);
    window::pumpMessages();
  }

  SimRunSettings ticks_{kLevel, 0, 0.0f, 7, {}, {}};
  std::vector<TickState> states_;
  std::unique_ptr<WorkingDirectory> inside_;
};

TEST_F(GameMatchesSimulatorTest, EveryTickLeavesTheSameStateInTheWindowAndHeadless) {
  playInTheWindow(600);
  ticks_.ticks = int64_t(states_.size());
  ASSERT_GT(ticks_.ticks, 400);
  EXPECT_GE(ticks_.script.actions.size(), 100u) << "both keys were held for a while";

  uint32_t clock = 0;
  int64_t firstMismatch = 0;
  window::removeWindowServices();
  const auto summary = runSimulation(ticks_, [&](int64_t ran) {
    if (observe(clock) != states_[size_t(ran - 1)] && firstMismatch == 0) firstMismatch = ran;
  });
  window::installWindowServices();
  ASSERT_TRUE(summary);
  EXPECT_EQ(summary->ticks, ticks_.ticks);
  EXPECT_EQ(firstMismatch, 0) << "the first tick that left another state";
  simulation::endLevel();
}

}  // namespace
