// The loading screen in the real window: its own thread and context draw the centred crop of
// the background and the animation while the main thread sleeps, one thread however often it
// is started, and no input reaches the game meanwhile.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "game/gui/splash_screen.h"
#include "game/platform/window.h"
#include "test_support/temp_directory.h"
#include "test_support/window_fixture.h"
#include "tools/imagegen/tga_writer.h"

namespace {

using namespace std::chrono_literals;

constexpr Rgba kRed{220, 40, 40, 255};
constexpr Rgba kGreen{40, 200, 60, 255};
constexpr Rgba kBlue{40, 60, 220, 255};
constexpr Rgba kYellow{250, 230, 30, 255};
constexpr Rgba kMagenta{230, 40, 230, 255};

Image solid(int width, int height, Rgba colour) {
  Image image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.setPixel(x, y, colour.r, colour.g, colour.b, 255);
  return image;
}

// Blue bands at the sides that the crop leaves out, red and green in the used middle.
Image background() {
  Image image = solid(256, 64, kBlue);
  for (int y = 0; y < 64; ++y)
    for (int x = 64; x < 192; ++x) {
      const Rgba c = x < 128 ? kRed : kGreen;
      image.setPixel(x, y, c.r, c.g, c.b, 255);
    }
  return image;
}

std::string tga(const Image& image) {
  const std::vector<uint8_t> bytes = encodeTga(image, TgaEncoding::Uncompressed);
  return {bytes.begin(), bytes.end()};
}

class SplashDisplayTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    data.write("cfg/splashScreen.cfg",
               "splashBackground = gfx\\back.tga splashBackgroundW = 128 splashBackgroundH = 64 "
               "splashAnimation = gfx\\dot_FRAME0.tga splashAnimationX = 400 "
               "splashAnimationY = 300 splashAnimationSpeed = 20 splashTitleY = 100");
    data.write("gfx/back.tga", tga(background()));
    data.write("gfx/dot_FRAME0.tga", tga(solid(32, 32, kYellow)));
    data.write("gfx/dot_FRAME1.tga", tga(solid(32, 32, kMagenta)));
  }
  void TearDown() override {
    splash_screen::stopSplash();
    WindowTest::TearDown();
  }

  const std::filesystem::path testFolder = std::filesystem::current_path();
  TempDirectory data;
  WorkingDirectory inData{data.path()};
};

TEST_F(SplashDisplayTest, StartedTwiceRunsOneThreadThatDrawsWhileTheMainThreadSleeps) {
  window::GLWindowEventListener game;
  window::setEventListener(&game);
  const uint32_t before = splash_screen::threadsStarted();
  splash_screen::startSplash();
  splash_screen::startSplash();
  EXPECT_EQ(splash_screen::threadsStarted(), before + 1);
  EXPECT_EQ(window::getEventListener(), nullptr);
  std::this_thread::sleep_for(400ms);
  EXPECT_GE(splash_screen::framesDrawn(), 6u);
  splash_screen::stopSplash();
  EXPECT_FALSE(splash_screen::isActive());
  EXPECT_EQ(window::getEventListener(), &game);
  window::setEventListener(nullptr);
}

TEST_F(SplashDisplayTest, ShowsTheCentredCropTheAnimationWithItsShadowAndTheLevelsName) {
  splash_screen::startSplash("Heat and steam");
  bool sawYellow = false, sawMagenta = false;
  for (int look = 0; look < 40 && !(sawYellow && sawMagenta); ++look) {
    std::this_thread::sleep_for(20ms);
    const Rgba centre = shownPixelAt(400, 300);
    sawYellow = sawYellow || near(centre, kYellow, 8);
    sawMagenta = sawMagenta || near(centre, kMagenta, 8);
  }
  EXPECT_TRUE(sawYellow && sawMagenta) << "the animation should run through both frames";
  const ScreenPixels screen = shownScreen();
  // The used middle fills the window: no blue band shows at its sides.
  EXPECT_TRUE(near(screen.at(8, 300), kRed, 8));
  EXPECT_TRUE(near(screen.at(791, 300), kGreen, 8));
  // The frame's black copy one pixel down and right shows past its corner.
  EXPECT_TRUE(near(screen.at(416, 316), Rgba{0, 0, 0, 255}, 8));
  int lettering = 0;  // the name's pale strokes on its line, and none below it
  for (int y = 80; y < 120; ++y)
    for (int x = 200; x < 600; ++x) lettering += screen.at(x, y).b > 200 ? 1 : 0;
  EXPECT_GT(lettering, 200);
  EXPECT_EQ(screen.at(300, 200).b, kRed.b);
  saveScreenshot(testFolder / "screenshots" / "loading_screen_test.png", true);
}

}  // namespace
