// Text drawn from a font of our own making: the cells of 'A', 'B' and 'Z' are solid red,
// green and blue, every other cell transparent, so each character's quad shows as a block.

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "game/platform/font_text.h"
#include "game/platform/gl_state.h"
#include "game/platform/texture_handle.h"
#include "texture_test_support.h"

namespace {

constexpr Rgba kBackground{0, 0, 0, 255};
constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kGreen{0, 255, 0, 255};
constexpr Rgba kBlue{0, 0, 255, 255};

Bgra fontPixel(int32_t x, int32_t y) {
  const int32_t cell = (y / 16) * 16 + x / 16;
  if (cell == 'A') return {0, 0, 255, 255};
  if (cell == 'B') return {0, 255, 0, 255};
  if (cell == 'Z') return {255, 0, 0, 255};
  return {255, 255, 255, 0};
}

class FontText : public TextureTest {
 protected:
  void SetUp() override {
    TextureTest::SetUp();
    writeFile("font.tga", encodeTga(makeImage(256, 256, fontPixel), true, false));
    font_ = TextureHandle("font.tga", "DEFAULT_FONT");
  }
  void TearDown() override {
    font_ = TextureHandle();
    TextureTest::TearDown();
  }
  // The block at (x, y) of size 16 has `colour` inside and nothing just left of it.
  void expectBlock(int32_t x, int32_t y, Rgba colour) {
    EXPECT_TRUE(near(pixelAt(x + 1, y + 1), colour)) << x << ", " << y;
    EXPECT_TRUE(near(pixelAt(x + 14, y + 14), colour)) << x << ", " << y;
    EXPECT_TRUE(near(pixelAt(x + 8, y + 8), colour)) << x << ", " << y;
  }
  TextureHandle font_;
};

TEST_F(FontText, LinesAdvanceByTheSizeAndNewLinesReturnToTheStart) {
  ASSERT_EQ(font_.width(), 256);
  drawText(font_, "AB\nZ", 10, 20, 16, 1, 1, 1, 1);
  expectBlock(10, 20, kRed);
  expectBlock(26, 20, kGreen);
  expectBlock(10, 36, kBlue);
  EXPECT_TRUE(near(pixelAt(8, 28), kBackground));
  EXPECT_TRUE(near(pixelAt(44, 28), kBackground));  // nothing after B
  EXPECT_TRUE(near(pixelAt(34, 44), kBackground));  // the new line has only Z
  EXPECT_TRUE(near(pixelAt(18, 18), kBackground));
  EXPECT_TRUE(near(pixelAt(18, 54), kBackground));
}

TEST_F(FontText, ColourModulatesTheFontAndTransparentCellsBlend) {
  gl_state::clearScreen(0, 0, 1);
  drawText(font_, "A?Z", 0, 0, 32, 0.5f, 1, 1, 1);
  EXPECT_TRUE(near(pixelAt(16, 16), {128, 0, 0, 255}, 4));  // the colour scales the red
  EXPECT_TRUE(near(pixelAt(48, 16), kBlue));                // '?' is transparent
  EXPECT_TRUE(near(pixelAt(80, 16), kBlue));
  drawText(font_, "A", 0, 64, 32, 1, 1, 1, 0.5f);
  EXPECT_TRUE(near(pixelAt(16, 80), {128, 0, 128, 255}, 4));  // half red over blue
}

TEST_F(FontText, HighContrastIgnoresTheColourAndOutlinesInBlackASixteenthOfTheSize) {
  gl_state::clearScreen(0, 0, 1);
  setHighContrastText(true);
  drawText(font_, "A", 32, 32, 32, 0.5f, 0.5f, 0.5f, 1);
  setHighContrastText(false);
  EXPECT_TRUE(near(pixelAt(48, 48), kRed));
  EXPECT_TRUE(near(pixelAt(31, 48), kBackground));
  EXPECT_TRUE(near(pixelAt(28, 48), kBlue)) << "two pixels of outline, no more";
  drawText(font_, "A", 32, 96, 32, 0.5f, 0.5f, 0.5f, 1);
  EXPECT_TRUE(near(pixelAt(48, 112), {128, 0, 0, 255}, 4));
  EXPECT_TRUE(near(pixelAt(31, 112), kBlue)) << "no outline once off";
}

TEST_F(FontText, NothingForEmptyTextOrSizeZeroOrBelow) {
  drawText(font_, "", 10, 10, 16, 1, 1, 1, 1);
  drawText(font_, "A", 10, 10, 0, 1, 1, 1, 1);
  drawText(font_, "A", 10, 10, -16, 1, 1, 1, 1);
  for (int32_t x : {0, 5, 10, 15, 20}) EXPECT_TRUE(near(pixelAt(x, x), kBackground));
}

TEST_F(FontText, EnableBitsComeBackAsTheyWere) {
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
  drawText(font_, "A", 10, 10, 16, 1, 1, 1, 1);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  glDisable(GL_DEPTH_TEST);
}

TEST_F(FontText, CentredTextStartsAtTheRoundedCentre) {
  // x: 100 + 22.5 - 16 = 106.5 -> 107; y: 50 + 8.5 - 8 = 50.5 -> 51.
  drawTextCentered(font_, "AB", 100, 50, 45, 17, 16, 1, 1, 1, 1);
  EXPECT_TRUE(near(pixelAt(106, 60), kBackground));
  EXPECT_TRUE(near(pixelAt(107, 60), kRed));
  EXPECT_TRUE(near(pixelAt(123, 60), kGreen));
  EXPECT_TRUE(near(pixelAt(110, 50), kBackground));
  EXPECT_TRUE(near(pixelAt(110, 51), kRed));
}

TEST_F(FontText, CentringRoundsHalvesAwayFromZero) {
  // x: -10 + 1.5 - 16 = -24.5 -> -25, so B covers -9 up to 7 (rounding up would reach 8).
  // y: -4 + 0.5 - 8 = -11.5 -> -12, so the row ends at 4.
  drawTextCentered(font_, "AB", -10, -4, 3, 1, 16, 1, 1, 1, 1);
  EXPECT_TRUE(near(pixelAt(6, 2), kGreen));
  EXPECT_TRUE(near(pixelAt(7, 2), kBackground));
  EXPECT_TRUE(near(pixelAt(2, 3), kGreen));
  EXPECT_TRUE(near(pixelAt(2, 4), kBackground));
}

}  // namespace
