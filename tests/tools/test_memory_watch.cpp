// The soak's memory watch: resident bytes read from statm text, and growth judged against the
// warm-up's highest reading.

#include <gtest/gtest.h>

#include "tools/vmr_soak/memory_watch.h"

TEST(MemoryWatchTests, ReadsTheResidentPagesOfStatm) {
  EXPECT_EQ(residentFromStatm("5021 1250 890 120 0 2200 0\n", 4096), 1250u * 4096u);
  EXPECT_EQ(residentFromStatm("5021 7", 4096), 7u * 4096u);
  EXPECT_FALSE(residentFromStatm("5021", 4096));
  EXPECT_FALSE(residentFromStatm("5021 x12 3", 4096));
  EXPECT_FALSE(residentFromStatm("5021 12x 3", 4096));
  EXPECT_FALSE(residentFromStatm("", 4096));
}

TEST(MemoryWatchTests, ThisProcessHasResidentMemory) {
  const auto bytes = residentBytes();
  ASSERT_TRUE(bytes);
  EXPECT_GT(*bytes, 0u);
}

TEST(MemoryWatchTests, GrowthCountsFromTheWarmUpsHighestReading) {
  MemoryWatch watch(1000);
  watch.sample(50000, false);
  watch.sample(40000, false);
  watch.sample(51000, true);
  EXPECT_FALSE(watch.problem()) << "1000 over the warm-up's peak is still allowed";
  watch.sample(51001, true);
  ASSERT_TRUE(watch.problem());
  EXPECT_EQ(watch.baseline(), 50000u);
  EXPECT_EQ(watch.peak(), 51001u);
}

TEST(MemoryWatchTests, NothingIsJudgedWithinTheWarmUp) {
  MemoryWatch watch(0);
  watch.sample(10, false);
  watch.sample(900000, false);
  EXPECT_FALSE(watch.measured());
  EXPECT_FALSE(watch.problem());
}
