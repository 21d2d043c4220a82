// The loading screen's settings, crop and frame stepping, without a window.

#include "game/gui/splash_settings.h"

#include <gtest/gtest.h>

#include "common/config_file.h"

namespace {

TEST(SplashSettingsTest, ASpeedOfZeroOrLessOrUnreadableIsTheSlowestSpeed) {
  for (const char* speed : {"0", "-3", "fast"}) {
    const SplashSettings settings =
        readSplashSettings(*ConfigFile::fromText(std::string("splashAnimationSpeed = ") + speed));
    EXPECT_FLOAT_EQ(settings.animationSpeed, 0.000001f) << speed;
  }
  const SplashSettings read = readSplashSettings(*ConfigFile::fromText(
      "splashBackground = gfx\\b.tga splashBackgroundW = 1024 splashAnimationX = 400 "
      "splashAnimationSpeed = 16"));
  EXPECT_EQ(read.background, "gfx\\b.tga");
  EXPECT_FLOAT_EQ(read.backgroundWidth, 1024.0f);
  EXPECT_FLOAT_EQ(read.animationX, 400.0f);
  EXPECT_FLOAT_EQ(read.animationSpeed, 16.0f);
}

TEST(SplashSettingsTest, TheCropIsTheCentredUsedPart) {
  struct Case {
    float usedW, usedH;
    int32_t textureW, textureH;
    TextureArea expected;
  };
  const Case cases[] = {
      {1024, 768, 1024, 1024, {0.0f, 0.125f, 1.0f, 0.875f}},  // the whole width
      {128, 256, 512, 256, {0.375f, 0.0f, 0.625f, 1.0f}},
      {0, -5, 64, 64, {0.0f, 0.0f, 1.0f, 1.0f}},  // missing sizes take the whole picture
  };
  for (const Case& c : cases) {
    const TextureArea area = centredCrop(c.usedW, c.usedH, c.textureW, c.textureH);
    EXPECT_FLOAT_EQ(area.u0, c.expected.u0) << c.usedW;
    EXPECT_FLOAT_EQ(area.v0, c.expected.v0) << c.usedH;
    EXPECT_FLOAT_EQ(area.u1, c.expected.u1) << c.usedW;
    EXPECT_FLOAT_EQ(area.v1, c.expected.v1) << c.usedH;
  }
}

TEST(SplashSettingsTest, FramesMoveOnOnlyPastTheirTimeAndWrap) {
  SplashAnimation animation(3, 4.0f);  // a frame lasts 0.25 s
  const int32_t expected[] = {0, 1, 1, 2, 2, 0};
  for (int32_t frame : expected) {
    animation.step(0.25f);  // reaching the frame's time is not passing it
    EXPECT_EQ(animation.frame(), frame);
  }
  SplashAnimation still(3, 0.000001f);
  for (int i = 0; i < 1000; ++i) still.step(60.0f);
  EXPECT_EQ(still.frame(), 0);
  SplashAnimation none(0, 10.0f);
  none.step(1.0f);
  EXPECT_EQ(none.frame(), 0);
}

}  // namespace
