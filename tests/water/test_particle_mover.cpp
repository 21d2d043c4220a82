#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "common/random.h"
#include "game/level/collision_tree.h"
#include "game/level/level_data.h"
#include "game/water/particle_grid.h"
#include "game/water/particle_mover.h"
#include "water/water_test_support.h"

namespace {

using particle_manager::particleList;

class ParticleMoverTest : public WaterTest {
 protected:
  // Links every free particle into the grid, as the step does before moving them.
  void linkAll() { particle_grid::link(particleList()); }
  // Moves p as the step does: its values through its grid slot, every slot returned after.
  void move(Particle& p, float dt) {
    particle_grid::take(p);
    particle_mover::moveParticle(p, dt);
    particle_grid::give(p);
    particle_grid::returnShared();
  }
  // The particles of cell (x, y) in the order they are met.
  static std::vector<Particle*> cellParticles(int32_t x, int32_t y) {
    const particle_grid::Cell c = particle_grid::cell(x, y);
    const particle_grid::Slots slots = particle_grid::slots();
    return {slots.owner + c.begin, slots.owner + c.end};
  }
};

// A stone floor whose top runs along y = 0 from x = -200 to 200 (the free side is above).
constexpr const char* kFloor = R"({
  "waterStart": [0, -10], "cameraStart": [0, -10],
  "polygons": [{"surface": "stone", "layer": 2,
                "points": [[-200, 0], [200, 0], [200, 40], [-200, 40]]}]
})";

// ---- Travel ----------------------------------------------------------------------------

TEST_F(ParticleMoverTest, ARestingParticleIsNotMovedCollidedOrShared) {
  Particle& p = addParticle({0, 0});
  Particle& q = addParticle({1, 0}, {5, 0});
  p.temperature = 10.0f;
  linkAll();
  move(p, 0.01f);
  EXPECT_EQ(p.position, (Vec2{0, 0}));
  EXPECT_EQ(q.velocity, (Vec2{5, 0}));
  EXPECT_EQ(p.temperature, 10.0f);
}

TEST_F(ParticleMoverTest, TravelStopsAtFifteenUnitsPerStep) {
  Particle& p = addParticle({0, -100}, {0, 10000});
  move(p, 0.01f);
  EXPECT_NEAR(p.position.y, -85.0f, 1e-4f);
  EXPECT_EQ(p.position.x, 0.0f);
}

TEST_F(ParticleMoverTest, SubStepsStopAParticleAtAThinWall) {
  // A wall 5 units thick: one jump of 15 units would land past its middle and be pushed
  // out of its far side; sub-steps of 1.7 meet its near side first.
  loadLevel(R"({
    "waterStart": [0, -10], "cameraStart": [0, -10],
    "polygons": [{"surface": "stone", "layer": 2,
                  "points": [[-50, 0], [50, 0], [50, 5], [-50, 5]]}]
  })");
  Particle& p = addParticle({0, -8}, {0, 1500});
  move(p, 0.01f);
  EXPECT_NEAR(p.position.y, -2.0f, 1e-4f);
}

TEST_F(ParticleMoverTest, AParticleSlidesAlongAFloorAndLosesItsFriction) {
  data_.write("cfg/surfaces.cfg", "surfaceFriction_stone = 0.5");
  level::loadSurfaces();
  loadLevel(kFloor);
  Particle& p = addParticle({50, -1.9f}, {10, 5});
  move(p, 0.01f);
  EXPECT_NEAR(p.position.y, -2.0f, 1e-5f);
  // The contact point lies on the floor below the particle, give or take a float's width.
  EXPECT_NEAR(p.velocity.y, 0.0f, 1e-4f);
  EXPECT_NEAR(p.velocity.x, 10.0f * std::pow(0.5f, 0.01f), 1e-4f);
}

// ---- Neighbours ------------------------------------------------------------------------

TEST_F(ParticleMoverTest, CloseNeighboursShareAndPushApart) {
  Particle& p = addParticle({0, 0}, {1, 0});
  Particle& q = addParticle({3, 0});
  p.temperature = 10.0f;
  q.temperature = 30.0f;
  q.push = {0, 2};
  linkAll();
  move(p, 0.02f);
  EXPECT_EQ(p.velocity, (Vec2{0.5f, 0}));
  EXPECT_EQ(q.velocity, (Vec2{0.5f, 0}));
  EXPECT_EQ(p.push, (Vec2{0, 1}));
  EXPECT_EQ(q.push, (Vec2{0, 1}));
  EXPECT_EQ(p.temperature, 20.0f);
  EXPECT_EQ(q.temperature, 20.0f);
  // Moved 0.02 towards q, then pushed back by the overlap 4 - 2.98.
  EXPECT_NEAR(p.position.x, 0.02f - 1.02f, 1e-5f);
  EXPECT_EQ(q.position, (Vec2{3, 0}));
}

TEST_F(ParticleMoverTest, ShortStepsPushLess) {
  Particle& p = addParticle({0, 0}, {0.001f, 0});
  addParticle({3, 0});
  linkAll();
  move(p, 0.01f);
  EXPECT_NEAR(p.position.x, 0.00001f - 0.5f * (4.0f - 2.99999f), 1e-5f);
}

TEST_F(ParticleMoverTest, AParticleCrowdedEvenlyFromAllSidesStaysPut) {
  // It moves exactly 1 to (1, 2), where its four neighbours' directions cancel exactly.
  Particle& p = addParticle({1, 1}, {0, 100});
  for (Vec2 q : {Vec2{-0.5f, 2}, Vec2{2.5f, 2}, Vec2{1, 0.5f}, Vec2{1, 3.5f}}) addParticle(q);
  linkAll();
  move(p, 0.01f);
  EXPECT_EQ(p.position, (Vec2{1, 2}));
}

TEST_F(ParticleMoverTest, ParticlesOnTopOfEachOtherShareButDoNotPush) {
  Particle& p = addParticle({0, 0}, {1, 0});
  Particle& q = addParticle({0.01f, 0});
  q.temperature = 40.0f;
  linkAll();
  move(p, 0.01f);
  EXPECT_EQ(p.position, (Vec2{0.01f, 0}));
  EXPECT_EQ(q.temperature, 30.0f);
  EXPECT_EQ(p.velocity, q.velocity);
}

// ---- Grid ------------------------------------------------------------------------------

TEST_F(ParticleMoverTest, TheGridCoversTwoThousandUnitsFromItsOrigin) {
  // The camera sits at the origin, so the grid starts at -512 on both axes.
  struct Case {
    float x;
    bool inside;
    int32_t cell;
  } cases[] = {{-512.0f, true, 0},
               {-512.5f, true, 0},
               {-513.0f, false, 0},
               {1535.9f, true, 1023},
               {1536.0f, false, 0},
               {1.0e30f, false, 0},
               {-1.0e30f, false, 0},
               {std::numeric_limits<float>::quiet_NaN(), false, 0},
               {std::numeric_limits<float>::infinity(), false, 0}};
  for (const Case& c : cases) {
    particleList().clear();
    Particle& p = addParticle({0, 0});
    p.position.x = c.x;
    linkAll();
    EXPECT_EQ(p.inGrid, c.inside) << c.x;
    if (c.inside) {
      EXPECT_EQ(p.cellX, c.cell) << c.x;
      EXPECT_EQ(cellParticles(c.cell, p.cellY), std::vector<Particle*>{&p});
    }
  }
}

TEST_F(ParticleMoverTest, CellsKeepTheirOrderWhenParticlesLeave) {
  Particle& a = addParticle({0, 0});
  Particle& b = addParticle({0.5f, 0});
  Particle& c = addParticle({1, 0});
  linkAll();
  ASSERT_EQ(cellParticles(a.cellX, a.cellY), (std::vector<Particle*>{&c, &b, &a}));
  particle_grid::unlink(b);
  EXPECT_EQ(cellParticles(a.cellX, a.cellY), (std::vector<Particle*>{&c, &a}));
  particle_grid::unlink(c);
  EXPECT_EQ(cellParticles(a.cellX, a.cellY), std::vector<Particle*>{&a});
  EXPECT_FALSE(c.inGrid);
  particle_grid::reset(particleList());
  EXPECT_FALSE(a.inGrid);
  EXPECT_TRUE(cellParticles(a.cellX, a.cellY).empty());
}

// ---- Cohesion --------------------------------------------------------------------------

TEST_F(ParticleMoverTest, ATightClusterIsNotPulled) {
  for (Vec2 p : {Vec2{0, 0}, Vec2{3, 0}, Vec2{0, 3}, Vec2{3, 3}}) addParticle(p);
  particle_mover::cohesionPass(particleList(), 0.01f);
  Vec2 expected[] = {{0, 0}, {3, 0}, {0, 3}, {3, 3}};
  size_t i = 0;
  for (const Particle& p : particleList()) EXPECT_EQ(p.position, expected[i++]);
}

TEST_F(ParticleMoverTest, AFarMemberIsPulledWithALittleJitter) {
  // Centre (0, 0): the members at +-10 are pulled by 0.01 / 0.75 * 6 = 0.08, give or take
  // 0.05 per axis.
  addParticle({-10, 0});
  addParticle({10, 0});
  for (int round = 0; round < 50; ++round) {
    particleList().front().position = {-10, 0};
    particleList().back().position = {10, 0};
    particle_mover::cohesionPass(particleList(), 0.01f);
    const Vec2 moved = particleList().back().position - Vec2{10, 0};
    EXPECT_NEAR(moved.x, -0.08f, 0.0501f);
    EXPECT_NEAR(moved.y, 0.0f, 0.0501f);
  }
}

TEST_F(ParticleMoverTest, ClustersMoreThanFortyApartPullApart) {
  addParticle({0, 0});
  addParticle({10, 0});
  addParticle({51, 0});
  addParticle({61, 0});
  particle_mover::cohesionPass(particleList(), 0.5f);  // pulls of 2/3, well above the jitter
  auto it = particleList().begin();
  // Each pair closes in on its own centre, so the gap between the pairs does not shrink.
  const float a = it->position.x, b = (++it)->position.x, c = (++it)->position.x;
  EXPECT_GT(a, 0.0f);
  EXPECT_LT(b, 10.0f);
  EXPECT_GT(c, 51.0f);
}

// The cohesion pass as its rule reads: each particle of the work list in turn is checked
// against every member the cluster has so far.
namespace reference {

void cohesionPass(ParticleList& particles, float dt) {
  std::vector<Particle*> work;
  for (Particle& p : particles) {
    if (rng::raw() & 1u)
      work.push_back(&p);
    else
      work.insert(work.begin(), &p);
  }
  while (!work.empty()) {
    std::vector<Particle*> cluster{work.front()};
    work.erase(work.begin());
    for (auto it = work.begin(); it != work.end();) {
      bool near = false;
      for (const Particle* m : cluster) {
        const Vec2 d = m->position - (*it)->position;
        near = near || d.x * d.x + d.y * d.y <= 1600.0f;
      }
      if (near) {
        cluster.push_back(*it);
        it = work.erase(it);
      } else {
        ++it;
      }
    }
    Vec2 sum;
    for (const Particle* p : cluster) sum += p->position;
    const Vec2 centre = sum / float(cluster.size());
    for (Particle* p : cluster) {
      const Vec2 delta = centre - p->position;
      const float d = length(delta);
      if (d <= 0.0001f) continue;
      const float pull = std::min((dt / 0.75f) * (d - 4.0f), 1.5f);
      const float jx = (rng::uniform() - 0.5f) * 0.1f;
      const float jy = (rng::uniform() - 0.5f) * 0.1f;
      if (pull > 0.0f) {
        p->position += delta / d * pull + Vec2{jx, jy};
        collision::collideCircle(p->position, 2.0f);
      }
    }
  }
}

}  // namespace reference

// Blobs of random size at random places, some just within and some just beyond the cluster
// distance of each other, on whole and on fractional coordinates.
ParticleList randomScene(std::mt19937& random) {
  ParticleList scene;
  std::uniform_int_distribution<int> blobs(1, 12), size(1, 60), whole(0, 1);
  std::uniform_real_distribution<float> spread(0.0f, 600.0f), offset(-30.0f, 30.0f);
  const int blobCount = blobs(random);
  for (int b = 0; b < blobCount; ++b) {
    const Vec2 centre{spread(random), spread(random)};
    const int n = size(random);
    for (int i = 0; i < n; ++i) {
      Particle p;
      p.position = centre + Vec2{offset(random), offset(random)};
      if (whole(random)) p.position = {std::round(p.position.x), std::round(p.position.y)};
      scene.push_back(p);
    }
    if (whole(random)) {  // a particle exactly 40 from the blob's centre
      Particle p;
      p.position = {std::round(centre.x) + 40.0f, std::round(centre.y)};
      scene.push_back(p);
    }
  }
  return scene;
}

TEST_F(ParticleMoverTest, CohesionMatchesTheRuleAsWritten) {
  std::mt19937 random(3);
  for (int round = 0; round < 200; ++round) {
    ParticleList fast = randomScene(random);
    ParticleList plain = fast;
    rng::seed(uint64_t(round));
    particle_mover::cohesionPass(fast, 0.02f);
    rng::seed(uint64_t(round));
    reference::cohesionPass(plain, 0.02f);
    auto f = fast.begin();
    for (const Particle& p : plain) {
      ASSERT_EQ(f->position, p.position) << "round " << round;
      ++f;
    }
  }
}

}  // namespace
