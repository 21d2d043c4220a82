// A game controller in a real window: SDL's virtual joystick stands in for a pad, plugged in
// and unplugged while the game runs.

#include <SDL.h>
#include <gtest/gtest.h>

#include <utility>

#include "app/game_fixture.h"
#include "game/platform/virtual_keys.h"
#include "game/platform/window.h"
#include "game/simulation/player_settings.h"
#include "game/world/camera.h"

namespace {

class ControllerTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    player_settings::registerConsoleEntries();
    window::setEventListener(&listener_);
    camera::setMode(camera::kFollow);
    frames(16, 20);  // the frame time's first mean
    index_ = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                       SDL_CONTROLLER_BUTTON_MAX, 0);
    pad_ = SDL_JoystickOpen(index_);
    ASSERT_NE(pad_, nullptr) << SDL_GetError();
    play(1);
  }
  void TearDown() override {
    if (pad_ != nullptr) SDL_JoystickClose(pad_);
    if (index_ >= 0) SDL_JoystickDetachVirtual(index_);
    window::setEventListener(nullptr);
    GameTest::TearDown();
  }

  // Frames of 20 ms as the game's loop runs them, each after the window's events.
  static void play(int count) {
    for (int i = 0; i < count; ++i) {
      window::pumpMessages();
      frameOf(20);
    }
  }

  // A virtual trigger's raw axis runs from -32768 at rest to 32767 pressed fully.
  void push(float stickX, float leftTrigger = 0.0f) {
    SDL_JoystickSetVirtualAxis(pad_, SDL_CONTROLLER_AXIS_LEFTX, Sint16(stickX * 32767));
    SDL_JoystickSetVirtualAxis(pad_, SDL_CONTROLLER_AXIS_TRIGGERLEFT,
                               Sint16(-32768 + leftTrigger * 65535));
    SDL_JoystickSetVirtualAxis(pad_, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -32768);
  }
  void press(SDL_GameControllerButton button) {
    SDL_JoystickSetVirtualButton(pad_, button, SDL_PRESSED);
    play(1);
    SDL_JoystickSetVirtualButton(pad_, button, SDL_RELEASED);
    play(1);
  }
  // The view's angle after `count` frames of 20 ms from level, unturned and still.
  float angleAfter(int count) {
    const Vec2 at = camera::position();
    camera::initialise();
    camera::setPosition(at);
    camera::setMode(camera::kFollow);
    play(count);
    return camera::angle();
  }

  Game listener_;
  int index_ = -1;
  SDL_Joystick* pad_ = nullptr;
};

TEST_F(ControllerTest, TheStickTurnsAsTheKeyAtFullDeflectionSlowerBelowAndNotInsideTheDeadZone) {
  printed.clear();
  console::execute("ControllerList");
  EXPECT_EQ(printed.find("No game controller"), std::string::npos) << printed;

  window::injectKey(vk::kLeft, true);
  const float byKey = angleAfter(10);
  window::injectKey(vk::kLeft, false);
  ASSERT_GT(byKey, 0.0f);
  push(-1.0f);
  EXPECT_FLOAT_EQ(angleAfter(10), byKey);
  push(0.0f, 1.0f);  // the left trigger turns the same way
  EXPECT_FLOAT_EQ(angleAfter(10), byKey);

  push(-0.6f);
  const float half = angleAfter(10);
  EXPECT_GT(half, 0.2f * byKey);
  EXPECT_LT(half, 0.8f * byKey);
  push(-0.15f);
  EXPECT_EQ(angleAfter(10), 0.0f);

  push(1.0f);
  play(400);
  EXPECT_FLOAT_EQ(camera::angle(), -camera::settings().maxAngle);
  EXPECT_EQ(camera::turnRate(), 0.0f);
}

TEST_F(ControllerTest, TheDpadAndAWalkTheMainMenu) {
  Game::setMenu(screen_flow::kMainMenu);
  press(SDL_CONTROLLER_BUTTON_A);  // hovers the first button
  press(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
  press(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
  press(SDL_CONTROLLER_BUTTON_A);
  play(50);
  EXPECT_EQ(Game::currentMenu(), screen_flow::kOptionsMenu);
  press(SDL_CONTROLLER_BUTTON_B);
  EXPECT_EQ(Game::currentMenu(), screen_flow::kMainMenu);
}

TEST_F(ControllerTest, StartAndBackInPlayAndUnpluggingPauses) {
  press(SDL_CONTROLLER_BUTTON_START);
  EXPECT_EQ(Game::currentMenu(), screen_flow::kInGameMenu);
  press(SDL_CONTROLLER_BUTTON_START);
  EXPECT_EQ(Game::currentMenu(), screen_flow::kPlay);
  press(SDL_CONTROLLER_BUTTON_BACK);
  EXPECT_TRUE(Game::isPaused());
  press(SDL_CONTROLLER_BUTTON_BACK);
  EXPECT_FALSE(Game::isPaused());

  SDL_JoystickClose(std::exchange(pad_, nullptr));
  SDL_JoystickDetachVirtual(std::exchange(index_, -1));
  play(1);
  EXPECT_TRUE(Game::isPaused());
  printed.clear();
  console::execute("ControllerList");
  EXPECT_NE(printed.find("No game controller is plugged in."), std::string::npos) << printed;
}

}  // namespace
