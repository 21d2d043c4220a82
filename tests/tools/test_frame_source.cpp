// The frames that pace a headless run as a window's would: an uneven machine's frames keep to
// their range, and a recorded list is read strictly.

#include "tools/vmr_sim/frame_source.h"

#include <gtest/gtest.h>

TEST(FrameSourceTest, JitteredFramesKeepToTheirRangeAndStallNowAndThen) {
  FrameSource frames = FrameSource::jittered(3);
  int stalls = 0;
  double total = 0.0;
  for (int i = 0; i < 10000; ++i) {
    const double length = frames.next();
    stalls += length == 0.1 ? 1 : 0;
    if (length != 0.1) ASSERT_TRUE(length >= 0.008 && length <= 0.040) << length;
    total += length;
  }
  EXPECT_GT(stalls, 50);
  EXPECT_LT(stalls, 200);
  EXPECT_NEAR(total / 10000, 0.025, 0.002);
  EXPECT_NE(FrameSource::jittered(4).next(), FrameSource::jittered(3).next());
}

TEST(FrameSourceTest, ReadsARecordedListAndNamesItsFirstBadLine) {
  std::string error;
  const auto lengths = parseFrameTimes("# 60 Hz, then a stall\n16.7\n\n  100 \r\n", error);
  ASSERT_TRUE(lengths) << error;
  EXPECT_EQ(*lengths, (std::vector<double>{0.0167, 0.1}));
  for (const auto& [text, message] : std::vector<std::pair<std::string, std::string>>{
           {"16\n0.05\n", "line 2: a frame's length is a number of milliseconds from 0.1 to 1000, not \"0.05\""},
           {"nan", "line 1: a frame's length is a number of milliseconds from 0.1 to 1000, not \"nan\""},
           {"16 ms", "line 1: a frame's length is a number of milliseconds from 0.1 to 1000, not \"16 ms\""},
           {"# none\n", "no frame length in the list"}}) {
    EXPECT_FALSE(parseFrameTimes(text, error)) << text;
    EXPECT_EQ(error, message);
  }
}
