// The frames that pace a headless run as a window's would: an uneven machine's frames keep to
// their range, and a recorded list is read strictly.

#include "tools/vmr_sim/frame_source.h"

#include <gtest/gtest.h>

TEST(FrameSourceTest, JitteredFramesKeepToTheirRangeAndStallNowAndThen) {
  FrameSource frames = FrameSource::jittered(3);
  int stalls = 0;
  for (int i = 0; i < 10000; ++i) {
    const double length = frames.next();
    stalls += length == 0.1 ? 1 : 0;
    if (length != 0.1) ASSERT_TRUE(length >= 0.008 && length <= 0.040) << length;
  }
  EXPECT_TRUE(stalls > 50 && stalls < 200) << stalls;
}

TEST(FrameSourceTest, ReadsARecordedListAndNamesItsFirstBadLine) {
  std::string error;
  EXPECT_EQ(parseFrameTimes("# 60 Hz, then a stall\n16.7\n\n  100 \r\n", error),
            (std::vector<double>{0.0167, 0.1}));
  const char* const bad = "line 2: a frame's length is a number of milliseconds from 0.1 to 1000";
  for (const auto& [text, message] : std::vector<std::pair<std::string, std::string>>{
           {"16\n0.05\n", std::string(bad) + ", not \"0.05\""},
           {"16\n16 ms", std::string(bad) + ", not \"16 ms\""},
           {"# none\n", "no frame length in the list"}}) {
    EXPECT_FALSE(parseFrameTimes(text, error)) << text;
    EXPECT_EQ(error, message);
  }
}
