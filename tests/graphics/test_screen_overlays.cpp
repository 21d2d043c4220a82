// The screen-space overlays laid out on an 800 x 600 screen: the level completion's and the
// checkpoint times' text.

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "common/command_registry.h"
#include "game/console/console.h"
#include "game/entities/checkpoint_times.h"
#include "game/entities/checkpoint_times_draw.h"
#include "game/entities/triggers.h"
#include "game/gui/level_completion_draw.h"
#include "game/platform/game_clock.h"
#include "game/platform/gl_state.h"
#include "game/platform/window.h"
#include "game/simulation/level_completion.h"
#include "game/water/particle_manager.h"
#include "game/world/camera.h"
#include "game/world/level_record.h"
#include "graphics/debug_view_test_support.h"

namespace {

std::string printed;
void collect(std::string_view text) {
  printed += text;
}

// A quad in the overlay's 800 x 600 coordinates.
void fillScreenRectangle(float left, float top, float right, float bottom) {
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glBegin(GL_QUADS);
  glVertex2f(left, top);
  glVertex2f(right, top);
  glVertex2f(right, bottom);
  glVertex2f(left, bottom);
  glEnd();
}

class CompletionOverlayTest : public DebugViewTest {
 protected:
  void SetUp() override {
    DebugViewTest::SetUp();
    level_completion::initialise();
    printed.clear();
    console::setOutputListener(collect);
  }
  void TearDown() override {
    console::setOutputListener(nullptr);
    DebugViewTest::TearDown();
  }
};

TEST_F(CompletionOverlayTest, LaysTheScreenOutAtEightHundredBySixHundred) {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  level_completion::drawOverlay();
  fillScreenRectangle(400, 300, 800, 600);
  EXPECT_TRUE(looksLike(pixelAt(401, 301), kWhite));
  EXPECT_TRUE(looksLike(pixelAt(799, 599), kWhite));
  EXPECT_TRUE(looksLike(pixelAt(398, 298), kBlack));
  EXPECT_EQ(printed, "");
}

TEST_F(CompletionOverlayTest, ScalesTheScreenToAWindowOfAnotherSize) {
  if (!resizeClient(400, 300)) GTEST_SKIP() << "the X server did not resize the window";
  gl_state::setup2DProjection();
  gl_state::clearScreen(0.0f, 0.0f, 0.0f);
  level_completion::drawOverlay();
  fillScreenRectangle(400, 300, 800, 600);
  // Half size: the quad covers the client's bottom-right quarter.
  EXPECT_TRUE(looksLike(pixelAt(201, 151), kWhite));
  EXPECT_TRUE(looksLike(pixelAt(399, 299), kWhite));
  EXPECT_TRUE(looksLike(pixelAt(198, 148), kBlack));
  EXPECT_TRUE(looksLike(pixelAt(300, 148), kBlack));
}

TEST_F(CompletionOverlayTest, TimePrintPutsTheLevelTimeOnTheConsoleOnEveryFrame) {
  game_clock::useSimulatedClock();
  level_record::skipClock();
  particle_manager::createParticles(0, 0, 0, 1);  // water left, so none comes back
  camera::setMode(camera::kFollow);
  game_clock::advance(3723.455);  // 1 h 2 min 3.455 s
  level_completion::update(0.01f);
  level_completion::updateOverlay();
  EXPECT_EQ(printed, "");
  console::execute("TimePrint 1");
  printed.clear();
  level_completion::updateOverlay();
  level_completion::updateOverlay();
  EXPECT_EQ(printed, "\n1:: 2::  3.  45\n1:: 2::  3.  45");
  particle_manager::deleteAllWater();
  camera::setMode(camera::kOpeningMove);
  game_clock::useRealClock();
}

class CheckpointTextTest : public DebugViewTest {
 protected:
  void SetUp() override {
    DebugViewTest::SetUp();
    data_.write("cfg/checkPoints.cfg",
                "font = fonts\\test_font.tga fontSize = 16 y_position = 100 fadeTime = 1 "
                "fontColor_r = 1 fontColor_g = 1 fontColor_b = 1 fontColor_a = 1 "
                "slowerFontColor_r = 1 slowerFontColor_a = 1 "
                "fasterFontColor_g = 1 fasterFontColor_a = 1");
    level_completion::initialise();
    checkpoint_times::initialise();
    triggers::initialise();
    triggers::addTrigger(901, 0, 0.0f, {0, 0}, {10, 0}, {10, 10}, {0, 10});
  }
  void TearDown() override {
    triggers::shutdown();
    checkpoint_times::shutdown();
    DebugViewTest::TearDown();
  }
  const Trigger& checkpoint() const { return triggers::triggerList().front(); }

  // One frame `seconds` after the last: the fades step, then the text is drawn.
  static void showAfter(float seconds) {
    checkpoint_times::updateDisplayAfter(seconds);
    checkpoint_times::draw();
  }

  // 16-pixel glyphs centred on 800: eight characters from x = 336, y from 100 to 116.
  static constexpr int32_t kTextLeft = 336;
  static constexpr int32_t kTextMiddle = 108;
};

TEST_F(CheckpointTextTest, NothingIsShownUntilACheckpointIsReached) {
  showAfter(0.5f);
  EXPECT_EQ(countLitPixels(), 0);
}

TEST_F(CheckpointTextTest, TheLevelTimeFadesInCentredAcrossTheScreen) {
  checkpoint_times::checkpointReached(checkpoint(), level_record::elapsedMs());
  // The first frame of a fade in shows nothing yet.
  showAfter(0.75f);
  EXPECT_EQ(countLitPixels(), 0);
  showAfter(0.0f);
  // Three quarters in: opacity sqrt(0.75). The text is "00:00:00" (no time has passed).
  const float alpha = std::sqrt(0.75f);
  EXPECT_TRUE(looksLike(pixelAt(kTextLeft + 8, kTextMiddle), glyphColour('0', 1, 1, 1, alpha)));
  EXPECT_TRUE(
      looksLike(pixelAt(kTextLeft + 2 * 16 + 8, kTextMiddle), glyphColour(':', 1, 1, 1, alpha)));
  EXPECT_TRUE(
      looksLike(pixelAt(kTextLeft + 7 * 16 + 8, kTextMiddle), glyphColour('0', 1, 1, 1, alpha)));
  EXPECT_TRUE(looksLike(pixelAt(kTextLeft - 2, kTextMiddle), kBlack));
  EXPECT_TRUE(looksLike(pixelAt(kTextLeft + 8 * 16 + 1, kTextMiddle), kBlack));
  EXPECT_TRUE(looksLike(pixelAt(kTextLeft + 8, 98), kBlack));
  EXPECT_TRUE(looksLike(pixelAt(kTextLeft + 8, 117), kBlack));
}

TEST_F(CheckpointTextTest, TheTextKeepsItsPlaceOnTheScreenInAWindowOfAnotherSize) {
  if (!resizeClient(400, 300)) GTEST_SKIP() << "the X server did not resize the window";
  checkpoint_times::checkpointReached(checkpoint(), 0);
  showAfter(1.0f);
  showAfter(0.0f);  // fading out from full opacity
  // Half size: 8-pixel glyphs from x = 168, y from 50 to 58.
  EXPECT_TRUE(looksLike(pixelAt(168 + 4, 54), glyphColour('0')));
  EXPECT_TRUE(looksLike(pixelAt(168 + 2 * 8 + 4, 54), glyphColour(':')));
  EXPECT_TRUE(looksLike(pixelAt(168 + 7 * 8 + 4, 54), glyphColour('0')));
  EXPECT_TRUE(looksLike(pixelAt(166, 54), kBlack));
  EXPECT_TRUE(looksLike(pixelAt(168 + 8 * 8 + 1, 54), kBlack));
  EXPECT_TRUE(looksLike(pixelAt(172, 48), kBlack));
  EXPECT_TRUE(looksLike(pixelAt(172, 59), kBlack));
}

TEST_F(CheckpointTextTest, AFasterSecondVisitShowsTheDifferenceInTheFasterColour) {
  checkpoint_times::checkpointReached(checkpoint(), 5000);
  checkpoint_times::checkpointReached(checkpoint(), 2500);
  showAfter(1.0f);
  showAfter(0.0f);  // fading out from full opacity
  ASSERT_EQ(checkpoint_times::phase(), 4);
  // "- 00:02:50", ten characters from x = 400 - 80 = 320, green only.
  EXPECT_TRUE(looksLike(pixelAt(320 + 8, kTextMiddle), glyphColour('-', 0, 1, 0)));
  EXPECT_TRUE(looksLike(pixelAt(320 + 16 + 8, kTextMiddle), kBlack));
  EXPECT_TRUE(looksLike(pixelAt(320 + 6 * 16 + 8, kTextMiddle), glyphColour('2', 0, 1, 0)));
}

}  // namespace
