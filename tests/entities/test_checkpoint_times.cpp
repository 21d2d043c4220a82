#include <gtest/gtest.h>

#include "console/console_test_support.h"
#include "game/entities/checkpoint_times.h"
#include "game/entities/triggers.h"

namespace {

class CheckpointTimesTest : public ConsoleTest {
 protected:
  void SetUp() override {
    ConsoleTest::SetUp();
    data_.write("cfg/checkPoints.cfg",
                "fadeTime = 1 fontColor_a = 1 slowerFontColor_r = 1 slowerFontColor_a = 1 "
                "fasterFontColor_g = 1 fasterFontColor_a = 1");
    checkpoint_times::initialise();
  }
  void TearDown() override {
    checkpoint_times::shutdown();
    ConsoleTest::TearDown();
  }
  Trigger first_, second_;
};

TEST_F(CheckpointTimesTest, TimesAreMinutesSecondsAndHundredths) {
  EXPECT_EQ(checkpoint_times::timeText(65300), "01:05:30");
  EXPECT_EQ(checkpoint_times::timeText(61 * 60000 + 5000), "01:05:00") << "hours are dropped";
  EXPECT_EQ(checkpoint_times::timeText(0), "00:00:00");
}

TEST_F(CheckpointTimesTest, TheFirstVisitShowsTheRunningTimeFadingInAndOut) {
  checkpoint_times::checkpointReached(first_, 65300);
  EXPECT_EQ(checkpoint_times::phase(), 1);
  EXPECT_FALSE(checkpoint_times::advanceDisplay(0.25f, 65300)) << "nothing shows at alpha 0";
  auto shown = checkpoint_times::advanceDisplay(0.5f, 65550);
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->text, "01:05:55");
  EXPECT_FLOAT_EQ(shown->colour.a, 0.5f);  // sqrt of the quarter faded in
  checkpoint_times::advanceDisplay(0.5f, 66000);
  EXPECT_EQ(checkpoint_times::phase(), 2);
  checkpoint_times::advanceDisplay(1.0f, 67000);
  EXPECT_EQ(checkpoint_times::phase(), 0);
  EXPECT_FALSE(checkpoint_times::advanceDisplay(0.1f, 67100));
}

TEST_F(CheckpointTimesTest, ALaterVisitShowsTheDifferenceInItsColour) {
  checkpoint_times::checkpointReached(first_, 10000);
  checkpoint_times::checkpointReached(first_, 7500);
  EXPECT_EQ(checkpoint_times::phase(), 3);
  checkpoint_times::advanceDisplay(0.5f, 0);
  auto faster = checkpoint_times::advanceDisplay(0.1f, 0);
  ASSERT_TRUE(faster);
  EXPECT_EQ(faster->text, "- 00:02:50");
  EXPECT_EQ(faster->colour.g, 1.0f);
  checkpoint_times::checkpointReached(first_, 10000);
  checkpoint_times::advanceDisplay(0.5f, 0);
  auto slower = checkpoint_times::advanceDisplay(0.1f, 0);
  ASSERT_TRUE(slower);
  EXPECT_EQ(slower->text, "+ 00:02:50");
  EXPECT_EQ(slower->colour.r, 1.0f);
  checkpoint_times::checkpointReached(first_, 10000);
  checkpoint_times::advanceDisplay(0.5f, 0);
  EXPECT_EQ(checkpoint_times::advanceDisplay(0.1f, 0)->text, "+ 00:00:00");
}

TEST_F(CheckpointTimesTest, ANewCheckpointRestartsTheDisplay) {
  checkpoint_times::checkpointReached(first_, 1000);
  checkpoint_times::advanceDisplay(1.5f, 2500);
  EXPECT_EQ(checkpoint_times::phase(), 2);
  checkpoint_times::checkpointReached(second_, 3000);
  EXPECT_EQ(checkpoint_times::phase(), 1);
  EXPECT_EQ(checkpoint_times::reachedCount(), 2);
}

TEST_F(CheckpointTimesTest, FadesAreNeverShorterThanAHundredth) {
  data_.write("cfg/checkPoints.cfg", "fadeTime = 0");
  checkpoint_times::initialise();
  EXPECT_EQ(checkpoint_times::settings().fadeTime, 0.01f);
}

TEST_F(CheckpointTimesTest, ANewLevelForgetsTheTimes) {
  checkpoint_times::checkpointReached(first_, 1000);
  checkpoint_times::shutdown();
  checkpoint_times::initialise();
  checkpoint_times::checkpointReached(first_, 2000);
  EXPECT_EQ(checkpoint_times::phase(), 1) << "a trigger of another level, at the same place";
}

}  // namespace
