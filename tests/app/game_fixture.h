#pragma once
// The game run in a real window on the test level of the built data folder, straight in
// play. Time is the simulated clock, moved on by hand before each frame.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "game/app/frame_clock.h"
#include "game/app/game.h"
#include "game/console/console.h"
#include "game/platform/game_clock.h"
#include "game/platform/key_bindings.h"
#include "game/platform/music.h"
#include "game/platform/music_device.h"
#include "game/world/screen_flow.h"
#include "test_support/scoped_environment.h"
#include "test_support/temp_directory.h"
#include "test_support/window_fixture.h"

inline constexpr const char* kTestLevel = "test\\testLevel.swah";

inline std::string printed;
inline void capture(std::string_view text) {
  printed += text;
}

class GameTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    // The runs the game keeps go to a folder of the test's own.
    userData_ = std::make_unique<ScopedEnvironment>("XDG_DATA_HOME", userDataFolder_.path().c_str());
    inside_ = std::make_unique<WorkingDirectory>(VELLMOOR_DATA_DIR);
    console::initialise();
    console::setOutputListener(capture);
    game_clock::useSimulatedClock();
    Game::initialise(kTestLevel);
    Game::setMenu(screen_flow::kPlay);
    frame_clock::restart();
    printed.clear();
  }
  void TearDown() override {
    if (Game::isRunning()) Game::shutdown();
    key_bindings::useDefaults();
    music::shutdownMusic();
    music::installMusicDevice(nullptr);
    Game::resetState();
    game_clock::useRealClock();
    console::setOutputListener(nullptr);
    console::shutdown();
    inside_.reset();
    userData_.reset();
    WindowTest::TearDown();
  }

  // One frame that took `ms` milliseconds.
  static void frameOf(uint32_t ms) {
    game_clock::advance(ms * 0.001);
    Game::frame();
  }
  static void frames(int count, uint32_t ms) {
    for (int i = 0; i < count; ++i) frameOf(ms);
  }

  TempDirectory userDataFolder_;
  std::unique_ptr<ScopedEnvironment> userData_;
  std::unique_ptr<WorkingDirectory> inside_;
  // What a recording music device was asked; it records until TearDown takes the music down.
  std::vector<std::string> musicCalls_;
};
