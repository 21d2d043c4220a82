#include <gtest/gtest.h>

#include <vector>

#include "common/random.h"

TEST(RandomTests, TheSameSeedGivesTheSameSequence) {
  rng::seed(1234);
  std::vector<uint32_t> first;
  for (int i = 0; i < 100; ++i) first.push_back(rng::raw());
  rng::seed(1234);
  for (int i = 0; i < 100; ++i) ASSERT_EQ(rng::raw(), first[size_t(i)]);
  rng::seed(1235);
  EXPECT_NE(rng::raw(), first[0]);
}

TEST(RandomTests, SequenceIsPinnedAcrossMachinesAndBuilds) {
  // Recorded once; a change here breaks every stored replay and determinism hash.
  rng::seed(42);
  EXPECT_EQ(rng::raw(), 3270867926u);
  EXPECT_EQ(rng::raw(), 1795671209u);
  EXPECT_EQ(rng::raw(), 1924641435u);
}

TEST(RandomTests, UniformStaysInsideTheUnitIntervalAndFillsIt) {
  rng::seed(7);
  float lowest = 1.0f, highest = 0.0f;
  double sum = 0.0;
  constexpr int kDraws = 200000;
  for (int i = 0; i < kDraws; ++i) {
    const float u = rng::uniform();
    ASSERT_GE(u, 0.0f);
    ASSERT_LE(u, 1.0f);
    lowest = std::min(lowest, u);
    highest = std::max(highest, u);
    sum += u;
  }
  EXPECT_LT(lowest, 0.001f);
  EXPECT_GT(highest, 0.999f);
  EXPECT_NEAR(sum / kDraws, 0.5, 0.01);
}
