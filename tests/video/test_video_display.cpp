// The video in the real window: the colours that were encoded come back from the screen, the
// right way up, and the intro ends at a key press or at once without its video.

#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "game/gui/intro_screen.h"
#include "game/platform/video_player.h"
#include "game/platform/virtual_keys.h"
#include "game/platform/window.h"
#include "test_support/window_fixture.h"
#include "video/video_files.h"

namespace {

class VideoDisplayTest : public WindowTest {
 protected:
  TempDirectory folder;
};

struct Quadrant {
  int x0, y0;  // top-left in the 320 x 240 frame
  Rgba colour;
};
constexpr Quadrant kQuadrants[] = {
    {0, 0, {220, 30, 30, 255}},
    {160, 0, {30, 200, 40, 255}},
    {0, 120, {40, 50, 210, 255}},
    {160, 120, {240, 240, 240, 255}},
};

// A 4:3 frame fills the 800 x 600 test window, so each quadrant lands in a window quadrant.
TEST_F(VideoDisplayTest, ADrawnFrameShowsTheEncodedColoursUpright) {
  RgbFrame frame(320, 240);
  for (const Quadrant& q : kQuadrants) {
    for (int y = q.y0; y < q.y0 + 120; ++y) {
      for (int x = q.x0; x < q.x0 + 160; ++x) {
        uint8_t* p = frame.pixel(x, y);
        p[0] = q.colour.r;
        p[1] = q.colour.g;
        p[2] = q.colour.b;
      }
    }
  }
  VideoPlayer player(folder.write("colours.avi", aviBytes({frame}, 320, 240, 15)).string());
  ASSERT_TRUE(player.isOpen());
  ASSERT_NE(player.textureId(), 0u);
  player.drawFrame();
  for (const Quadrant& q : kQuadrants) {
    // The middle of the quadrant, away from the blocks where MJPEG blurs the edges.
    const int32_t x = (q.x0 + 80) * 800 / 320;
    const int32_t y = (q.y0 + 60) * 600 / 240;
    EXPECT_TRUE(near(pixelAt(x, y), q.colour, 12))
        << x << "," << y << ": " << testing::PrintToString(pixelAt(x, y));
  }
}

TEST_F(VideoDisplayTest, AKeyPressEndsTheIntroAtOnce) {
  // Ten seconds of video that the key cuts short.
  const std::string file =
      folder.write("long.avi", aviBytes(numberedFrames(150, 32, 24), 32, 24, 15)).string();
  window::GLWindowEventListener before;
  window::setEventListener(&before);
  IntroScreen intro(file);
  ASSERT_TRUE(intro.video().isOpen());
  window::injectKey(vk::kSpace, true);
  const auto start = std::chrono::steady_clock::now();
  intro.run();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  EXPECT_FALSE(intro.isPlaying());
  EXPECT_LT(intro.video().currentFrame(), 10u);
  EXPECT_EQ(window::getEventListener(), &before);
  EXPECT_TRUE(window::isWindowOpen());
  window::setEventListener(nullptr);
}

TEST_F(VideoDisplayTest, AMouseButtonEndsTheIntroAndAMissingVideoEndsItUnasked) {
  const std::string file =
      folder.write("long.avi", aviBytes(numberedFrames(150, 32, 24), 32, 24, 15)).string();
  struct Case {
    std::string file;
    bool click;
  };
  for (const Case& c : {Case{file, true}, Case{(folder.path() / "none.avi").string(), false}}) {
    SCOPED_TRACE(c.file);
    IntroScreen intro(c.file);
    if (c.click) {
      window::injectMouseButton(10, 10, window::kLeftButton, true);
      window::injectMouseButton(10, 10, window::kLeftButton, false);
    }
    const auto start = std::chrono::steady_clock::now();
    intro.run();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(window::getEventListener(), nullptr);
  }
}

// Closing the window ends the intro and, with the window gone, the game after it. The window
// is opened again for the tests that follow.
TEST_F(VideoDisplayTest, ClosingTheWindowEndsTheIntroAndTheWindow) {
  const std::string file =
      folder.write("long.avi", aviBytes(numberedFrames(150, 32, 24), 32, 24, 15)).string();
  SDL_Event close{};
  close.type = SDL_WINDOWEVENT;
  close.window.event = SDL_WINDOWEVENT_CLOSE;
  close.window.windowID = SDL_GetWindowID(window::sdlWindow());
  ASSERT_EQ(SDL_PushEvent(&close), 1);
  IntroScreen intro(file);
  const auto start = std::chrono::steady_clock::now();
  intro.run();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  EXPECT_FALSE(window::isWindowOpen());
  openTestWindow();
}

}  // namespace
