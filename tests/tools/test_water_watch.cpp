// The soak's water watch on hand-built particle lists: non-finite numbers anywhere in the
// water are reported by where they are, and the count may grow only on a tick that made water.

#include <gtest/gtest.h>

#include <limits>

#include "tools/vmr_soak/water_watch.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

ParticleList water(size_t count) {
  ParticleList particles(count);
  float x = 0.0f;
  for (Particle& p : particles) p.position = {x += 4.0f, 10.0f};
  return particles;
}

}  // namespace

TEST(WaterWatchTests, ReportsANonFiniteFreeParticleByItsPlace) {
  ParticleList particles = water(3);
  std::next(particles.begin(), 2)->velocity.y = kInfinity;
  WaterWatch watch;
  const auto problem = watch.check(particles, {}, true);
  ASSERT_TRUE(problem);
  EXPECT_EQ(problem->rfind("free particle 2 has the velocity", 0), 0u) << *problem;
}

TEST(WaterWatchTests, ReportsANonFiniteIceGroupOrFrozenParticle) {
  ParticleGroupList groups(2);
  groups.back().particles = water(2);
  groups.back().particles.front().position.x = kNaN;
  WaterWatch watch;
  const auto frozen = watch.check({}, groups, true);
  ASSERT_TRUE(frozen);
  EXPECT_EQ(frozen->rfind("ice group 1 has the particle 0 at", 0), 0u) << *frozen;

  groups.back().particles.front().position.x = 0.0f;
  groups.front().temperature = -kInfinity;
  const auto group = watch.check({}, groups, true);
  ASSERT_TRUE(group);
  EXPECT_EQ(group->rfind("ice group 0 has the temperature", 0), 0u) << *group;
}

TEST(WaterWatchTests, WaterMayGrowOnlyOnATickThatMadeWater) {
  WaterWatch watch;
  EXPECT_FALSE(watch.check(water(5), {}, false)) << "the first look has nothing to compare";
  EXPECT_FALSE(watch.check(water(3), {}, false)) << "water may always shrink";
  EXPECT_FALSE(watch.check(water(9), {}, true));
  const auto grown = watch.check(water(10), {}, false);
  ASSERT_TRUE(grown);
  EXPECT_EQ(*grown, "the water grew from 9 to 10 particles on a tick that made none");
  EXPECT_EQ(watch.peakCount(), 10u);
}

TEST(WaterWatchTests, FreezingMovesWaterWithoutGrowingIt) {
  WaterWatch watch;
  ASSERT_FALSE(watch.check(water(6), {}, false));
  ParticleGroupList groups(1);
  groups.front().particles = water(4);
  EXPECT_FALSE(watch.check(water(2), groups, false));
  groups.front().particles.push_back({});
  EXPECT_TRUE(watch.check(water(2), groups, false)) << "a particle more in the ice is counted";
  watch.newLevel();
  EXPECT_FALSE(watch.check(water(128), {}, false)) << "a new level starts counting afresh";
}
