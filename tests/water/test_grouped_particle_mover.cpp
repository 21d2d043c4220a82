#include <gtest/gtest.h>

#include <cmath>

#include "game/water/grouped_particle_mover.h"
#include "game/world/camera.h"
#include "water/water_test_support.h"

namespace {

using grouped_particle_mover::groupList;
using particle_manager::particleList;

class IceTest : public WaterTest {
 protected:
  // A row of particles `gap` apart from x = 0.
  void addRow(int count, float gap, float temperature = 20.0f) {
    for (int i = 0; i < count; ++i) addParticle({float(i) * gap, 0}).temperature = temperature;
  }
  // A group of `count` particles frozen at `centre`, then given a velocity.
  ParticleGroup& addGroup(int count, Vec2 centre, Vec2 velocity = {}) {
    for (int i = 0; i < count; ++i) addParticle(centre).temperature = -5.0f;
    grouped_particle_mover::freezePass(particleList());
    groupList().back().velocity = velocity;
    return groupList().back();
  }
};

TEST_F(IceTest, AConnectedBodyFreezesWithItsFirstParticle) {
  addRow(10, 11.9f);
  particleList().back().temperature = 0.0f;
  addParticle({500, 0});  // not connected
  grouped_particle_mover::freezePass(particleList());
  ASSERT_EQ(groupList().size(), 1u);
  EXPECT_EQ(groupList().front().particles.size(), 10u);
  EXPECT_EQ(particleList().size(), 1u);
  EXPECT_FLOAT_EQ(groupList().front().targetRadius, 2.0f * std::sqrt(10.0f));
  EXPECT_EQ(groupList().front().centre, (Vec2{9 * 11.9f, 0}));
  for (const Particle& p : groupList().front().particles) {
    EXPECT_NEAR(length(p.iceDirection), 1.0f, 1e-5f);
    EXPECT_GE(p.iceFraction, 0.0f);
    EXPECT_LE(p.iceFraction, 1.0f);
    EXPECT_FALSE(p.inGrid);
  }
}

TEST_F(IceTest, CaptureReachesThroughWaterAndSteamButNotBeyondTwelve) {
  addParticle({0, 0}).temperature = -1.0f;
  addParticle({12, 0}).temperature = 120.0f;  // exactly 12: within
  addParticle({24, 0}).temperature = 50.0f;
  addParticle({36.01f, 0});  // just beyond
  grouped_particle_mover::freezePass(particleList());
  ASSERT_EQ(groupList().size(), 1u);
  EXPECT_EQ(groupList().front().particles.size(), 3u);
  ASSERT_EQ(particleList().size(), 1u);
  // Captured particles keep their own temperatures until the group's step draws them in.
  float hottest = 0.0f;
  for (const Particle& p : groupList().front().particles)
    hottest = std::max(hottest, p.temperature);
  EXPECT_EQ(hottest, 120.0f);
}

TEST_F(IceTest, SeparateFrozenBodiesMakeSeparateGroups) {
  addRow(3, 5.0f, -1.0f);
  addParticle({100, 0}).temperature = -1.0f;
  grouped_particle_mover::freezePass(particleList());
  ASSERT_EQ(groupList().size(), 2u);
  EXPECT_EQ(groupList().front().particles.size(), 3u);
  EXPECT_FLOAT_EQ(groupList().back().targetRadius, 2.0f);
}

TEST_F(IceTest, GroupsMergeIntoTheLargerDisc) {
  // targetRadius 4 and 6: they merge below 4 + 6 + 2 = 12 apart.
  for (float gap : {11.9f, 12.0f}) {
    grouped_particle_mover::deleteAllGroups();
    ParticleGroup& small = addGroup(4, {0, 0});
    ParticleGroup& large = addGroup(9, {gap, 0});
    grouped_particle_mover::groupStep(0.0001f, particleList());
    if (gap < 12.0f) {
      EXPECT_TRUE(small.particles.empty()) << gap;
      EXPECT_EQ(large.particles.size(), 13u) << gap;
      EXPECT_FLOAT_EQ(large.targetRadius, 2.0f * std::sqrt(13.0f));
    } else {
      EXPECT_EQ(small.particles.size(), 4u) << gap;
    }
  }
}

TEST_F(IceTest, OfTwoEqualGroupsTheLaterOneAbsorbs) {
  ParticleGroup& first = addGroup(4, {0, 0});
  ParticleGroup& second = addGroup(4, {5, 0});
  grouped_particle_mover::groupStep(0.0001f, particleList());
  EXPECT_TRUE(first.particles.empty());
  EXPECT_EQ(second.particles.size(), 8u);
  // The emptied group goes at the next step.
  grouped_particle_mover::groupStep(0.0001f, particleList());
  EXPECT_EQ(groupList().size(), 1u);
}

TEST_F(IceTest, AWarmedGroupMeltsWithItsVelocityAndTemperature) {
  ParticleGroup& g = addGroup(5, {0, 0}, {3, -4});
  g.temperature = 0.01f;
  grouped_particle_mover::groupStep(0.01f, particleList());
  EXPECT_TRUE(groupList().empty());
  ASSERT_EQ(particleList().size(), 5u);
  for (const Particle& p : particleList()) {
    EXPECT_EQ(p.velocity, (Vec2{3, -4}));
    EXPECT_EQ(p.temperature, 0.01f);
    EXPECT_EQ(p.speed, 5.0f);
    EXPECT_EQ(p.history3, p.position);
    EXPECT_FALSE(p.inGrid);
  }
}

TEST_F(IceTest, ParticlesSettleIntoTheirPlacesAndTheDiscGrows) {
  restartWith("particleGroupInterpolation = 0 groupExpandSpeed = 0.25");
  ParticleGroup& g = addGroup(25, {0, 0});
  EXPECT_FLOAT_EQ(g.targetRadius, 10.0f);
  EXPECT_EQ(g.radius, 2.0f);
  grouped_particle_mover::groupStep(1.0f, particleList());
  EXPECT_FLOAT_EQ(g.radius, 0.25f * 2.0f + 0.75f * 10.0f);
  for (const Particle& p : g.particles) {
    const Vec2 place = g.centre + p.iceDirection * p.iceFraction * g.radius;
    EXPECT_NEAR(p.position.x, place.x, 1e-4f);
    EXPECT_NEAR(p.position.y, place.y, 1e-4f);
  }
  restartWith("particleGroupInterpolation = 1");
  ParticleGroup& still = addGroup(3, {0, 0}, {10, 0});
  grouped_particle_mover::groupStep(0.1f, particleList());
  for (const Particle& p : still.particles) EXPECT_FLOAT_EQ(p.position.x, 1.0f);
}

TEST_F(IceTest, IceFallsAndSlidesOnAFloor) {
  restartWith("gravity = 100 iceGravityStrenght = 2");
  loadLevel(R"({
    "waterStart": [0, -10], "cameraStart": [0, -10],
    "polygons": [{"surface": "stone", "layer": 2,
                  "points": [[-200, 0], [200, 0], [200, 40], [-200, 40]]}]
  })");
  ParticleGroup& g = addGroup(4, {0, -20}, {5, 0});
  for (int i = 0; i < 100; ++i) grouped_particle_mover::groupStep(0.02f, particleList());
  EXPECT_NEAR(g.centre.y, -g.radius, 0.01f);
  EXPECT_NEAR(g.velocity.y, 0.0f, 1e-3f);
  EXPECT_GT(g.centre.x, 9.0f) << "no friction slows ice";
  EXPECT_TRUE(g.touchedGeometry);
}

TEST_F(IceTest, KillTimersPassFromAGroupToItsParticles) {
  restartWith("particleKillTime = 1");
  ParticleGroup& g = addGroup(3, {0, 0});
  grouped_particle_mover::markGroupForKill(g);
  grouped_particle_mover::groupStep(0.25f, particleList());
  for (const Particle& p : g.particles) {
    EXPECT_TRUE(p.killPending);
    EXPECT_FLOAT_EQ(p.killTimer, 0.75f);
  }
  g.temperature = 5.0f;  // melts: the released particles die on the group's schedule
  grouped_particle_mover::groupStep(0.25f, particleList());
  ASSERT_EQ(particleList().size(), 3u);
  EXPECT_TRUE(particleList().front().killPending);
  EXPECT_FLOAT_EQ(particleList().front().killTimer, 0.5f);
}

TEST_F(IceTest, GroupsFarOutsideTheViewAreDeleted) {
  addGroup(4, {-camera::viewWidth() * 0.5f - 200.0f, 0});
  grouped_particle_mover::groupStep(0.01f, particleList());
  EXPECT_TRUE(groupList().empty());
}

}  // namespace
