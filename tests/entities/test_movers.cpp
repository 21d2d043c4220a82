#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>

#include "game/console/console.h"
#include "game/entities/level_objects.h"
#include "game/entities/movers.h"
#include "game/level/collision_tree.h"
#include "game/level/level_data.h"
#include "game/simulation/level_loading.h"
#include "game/water/grouped_particle_mover.h"
#include "game/world/camera.h"
#include "water/water_test_support.h"

namespace {

using movers::moverList;
using movers::movingPolygons;

constexpr float kStep = 0.01f;

class MoverTest : public WaterTest {
 protected:
  Polygon& polygon(size_t index) { return *std::next(level::levelPolygons().begin(), index); }
  Mover& mover(size_t index) { return *std::next(moverList().begin(), index); }
  // A mover of id 7 with no level around it.
  Mover& addMover(float speed, Vec2 start, Vec2 end) {
    movers::addMover(7, speed, start, end);
    return moverList().back();
  }
  void startAll(int32_t state) {
    for (Mover& m : moverList()) movers::setMoverState(m, state);
  }
  void stepTimes(int count, float dt = kStep) {
    for (int i = 0; i < count; ++i) movers::stepMovers(dt);
  }
  std::string run(const std::string& line) {
    takePrinted();
    console::execute(line);
    return takePrinted();
  }
};

// A platform 100 wide and 20 thick whose top edge runs along y = 0 from x = -50 to 50,
// carried by mover 1 up towards y = -100 at `speed`.
std::string liftLevel(int speed) {
  return R"({"waterStart": [0, -50], "cameraStart": [0, -50],
    "polygons": [
      {"id": 1, "surface": "stone", "layer": 2,
       "points": [[-50, 0], [50, 0], [50, 20], [-50, 20]]}],
    "movers": [{"id": 1, "speed": )" +
         std::to_string(speed) + R"(, "start": [0, 0], "end": [0, -100]}]})";
}

// ---- Advancing ---------------------------------------------------------------------------

TEST_F(MoverTest, ALoopingMoverTurnsAtBothEndsAndStaysOnItsPath) {
  Mover& m = addMover(10.0f, {0, 0}, {25, 0});
  movers::setMoverState(m, movers::kLoopToEnd);
  const float positions[] = {10, 20, 25, 15, 5, 0, 10, 20, 25};
  const int32_t states[] = {4, 4, 3, 3, 3, 4, 4, 4, 3};
  for (size_t i = 0; i < std::size(positions); ++i) {
    movers::stepMovers(1.0f);
    EXPECT_EQ(m.position, positions[i]) << "step " << i;
    EXPECT_EQ(m.state, states[i]) << "step " << i;
  }
  int turns = 0;
  for (int i = 0; i < 500; ++i) {
    const int32_t before = m.state;
    movers::stepMovers(0.37f);
    turns += m.state != before;
    ASSERT_GE(m.position, 0.0f);
    ASSERT_LE(m.position, 25.0f);
  }
  EXPECT_GT(turns, 20);
}

TEST_F(MoverTest, GotoEndAndGotoStartStopExactlyAtTheirEnds) {
  loadLevel(R"({"waterStart": [0, 0], "cameraStart": [0, 0],
    "polygons": [{"id": 7, "surface": "stone", "layer": 2,
                  "points": [[0, 0], [10, 0], [10, 10], [0, 10]]}],
    "movers": [{"id": 7, "speed": 10, "start": [0, 0], "end": [0, -25]}]})");
  Mover& m = mover(0);
  stepTimes(3, 0.1f);
  EXPECT_EQ(polygon(0).offset, (Vec2{0, 0})) << "a mover starts stopped";
  movers::setMoverState(m, movers::kToEnd);
  for (int i = 1; i <= 24; ++i) {
    movers::stepMovers(0.1f);
    EXPECT_FLOAT_EQ(polygon(0).offset.y, -float(i));
  }
  stepTimes(2, 0.1f);
  EXPECT_EQ(m.position, 25.0f);
  EXPECT_EQ(m.state, movers::kStopped);
  EXPECT_EQ(polygon(0).offset, (Vec2{0, -25}));
  movers::setMoverState(m, movers::kToStart);
  stepTimes(2, 1.0f);
  EXPECT_EQ(m.position, 5.0f);
  stepTimes(1, 1.0f);
  EXPECT_EQ(m.position, 0.0f);
  EXPECT_EQ(m.state, movers::kStopped);
  EXPECT_EQ(polygon(0).offset, (Vec2{0, 0}));
}

TEST_F(MoverTest, AMoverWhoseStartIsItsEndNeverDisplaces) {
  loadLevel(R"({"waterStart": [0, 0], "cameraStart": [0, 0],
    "polygons": [{"id": 7, "surface": "stone", "layer": 2,
                  "points": [[0, 0], [10, 0], [10, 10], [0, 10]]}],
    "movers": [{"id": 7, "speed": 50, "start": [30, 40], "end": [30, 40]}]})");
  Mover& m = mover(0);
  EXPECT_EQ(m.direction, (Vec2{0, 0}));
  EXPECT_EQ(m.distance, 0.0f);
  for (int32_t state : {movers::kLoopToEnd, movers::kLoopToStart, movers::kToEnd}) {
    movers::setMoverState(m, state);
    stepTimes(5, 0.1f);
    EXPECT_EQ(polygon(0).offset, (Vec2{0, 0}));
    EXPECT_EQ(m.position, 0.0f);
  }
  EXPECT_EQ(m.state, movers::kStopped);
}

// A mover heading for its end is told a state, then runs a second at speed 10: states 0 to 4
// are taken, and a number outside them leaves it on its way.
TEST_F(MoverTest, StatesOutsideZeroToFourAreIgnored) {
  const struct {
    int32_t request, state;
    float position;
  } cases[] = {{-1, 1, 10}, {0, 0, 0}, {4, 4, 10}, {5, 1, 10}};
  for (const auto& c : cases) {
    Mover& m = addMover(10.0f, {0, 0}, {25, 0});
    movers::setMoverState(m, 1);
    movers::setMoverState(m, c.request);
    movers::stepMovers(1.0f);
    EXPECT_EQ(m.state, c.state) << c.request;
    EXPECT_EQ(m.position, c.position) << c.request;
  }
}

// A zero step still counts as the shortest step time, so nothing is divided by zero.
TEST_F(MoverTest, AZeroStepStillAdvancesAndPushesFinitely) {
  loadLevel(liftLevel(100));
  Particle& rider = addParticle({0, -2});
  movers::setMoverState(mover(0), movers::kToEnd);
  movers::stepMovers(0.0f);
  EXPECT_GT(mover(0).position, 0.0f);
  EXPECT_LT(mover(0).position, 0.0001f);
  EXPECT_TRUE(std::isfinite(rider.push.y));
  EXPECT_LT(rider.push.y, 0.0f);
}

// ---- Carrying ----------------------------------------------------------------------------

TEST_F(MoverTest, TwoMoversOfOneIdAddUpOnPolygonsAndObjects) {
  data_.write("gfx/fire_FRAME01.tga", "x");
  data_.write("gfx/fire_FRAME02.tga", "x");
  loadLevel(R"({"waterStart": [0, 0], "cameraStart": [0, 0],
    "polygons": [
      {"id": 3, "surface": "stone", "layer": 2, "points": [[0, 0], [10, 0], [10, 10], [0, 10]]},
      {"id": 4, "surface": "stone", "layer": 2, "points": [[50, 0], [60, 0], [60, 10], [50, 10]]}],
    "objects": [
      {"id": 3, "texture": "gfx\\lamp.tga", "layer": 1, "position": [10, 20]},
      {"id": 3, "texture": "gfx\\fire_FRAME01.tga", "layer": 1, "position": [0, 0]},
      {"id": 4, "texture": "gfx\\lamp.tga", "layer": 1, "position": [10, 20]}],
    "movers": [{"id": 3, "speed": 10, "start": [0, 0], "end": [100, 0]},
               {"id": 3, "speed": 5, "start": [0, 0], "end": [0, 50]},
               {"id": 4, "speed": 5, "start": [0, 0], "end": [0, 50]}]})");
  ASSERT_EQ(level_objects::animatedObjects().size(), 1u);
  movers::setMoverState(mover(0), movers::kToEnd);
  movers::setMoverState(mover(1), movers::kToEnd);
  for (int i = 1; i <= 2; ++i) {
    movers::stepMovers(1.0f);
    const Vec2 expected{10.0f * float(i), 5.0f * float(i)};
    EXPECT_EQ(polygon(0).offset, expected);
    EXPECT_EQ(level_objects::stillObjects().front().offset, expected);
    EXPECT_EQ(level_objects::animatedObjects().front().offset, expected);
  }
  EXPECT_EQ(polygon(1).offset, (Vec2{0, 0}));
  EXPECT_EQ(level_objects::stillObjects().back().offset, (Vec2{0, 0}));
  EXPECT_EQ(movingPolygons().size(), 2u) << "one per solid polygon, however many movers";
}

TEST_F(MoverTest, OnlySolidPolygonsGetTheirCollisionCarried) {
  loadLevel(R"({"waterStart": [0, 0], "cameraStart": [0, 0],
    "polygons": [
      {"id": 1, "surface": "stone", "layer": 2, "mode": "decoration",
       "points": [[200, 0], [300, 0], [300, 20], [200, 20]]},
      {"id": 1, "surface": "stone", "layer": 2, "mode": "hidden",
       "points": [[-50, 0], [50, 0], [50, 20], [-50, 20]]}],
    "movers": [{"id": 1, "speed": 100, "start": [0, 0], "end": [0, -100]}]})");
  ASSERT_EQ(movingPolygons().size(), 1u);
  EXPECT_EQ(movingPolygons().front().polygon, &polygon(1));
  Particle& onDecoration = addParticle({250, -2});
  Particle& onHidden = addParticle({0, -2});
  movers::setMoverState(mover(0), movers::kToEnd);
  movers::stepMovers(kStep);
  EXPECT_EQ(polygon(0).offset, polygon(1).offset);
  EXPECT_LT(polygon(0).offset.y, 0.0f);
  EXPECT_EQ(onDecoration.position, (Vec2{250, -2}));
  EXPECT_EQ(onDecoration.push, (Vec2{0, 0}));
  EXPECT_LT(onHidden.push.y, 0.0f);
}

// The edges are those a fixed polygon of the same outline gets in the collision tree.
TEST_F(MoverTest, CarriedCollisionEdgesMatchTheFixedOnesWhicheverTheWinding) {
  loadLevel(R"({"waterStart": [0, 0], "cameraStart": [0, 0],
    "polygons": [
      {"id": 0, "surface": "wood", "layer": 2, "points": [[0, 0], [40, 0], [40, 20], [0, 20]]},
      {"id": 1, "surface": "wood", "layer": 2,
       "points": [[1000, 1000], [1040, 1000], [1040, 1020], [1000, 1020]]},
      {"id": 1, "surface": "wood", "layer": 2,
       "points": [[2000, 1000], [2000, 1020], [2040, 1020], [2040, 1000]]}],
    "movers": [{"id": 1, "speed": 0, "start": [0, 0], "end": [0, 10]}]})");
  std::vector<CollisionEdge*> fixed;
  collision::collectEdges(fixed);
  ASSERT_EQ(fixed.size(), 4u);
  ASSERT_EQ(movingPolygons().size(), 2u);
  for (const MovingPolygon& r : movingPolygons()) {
    const Vec2 shift{r.minX, 1000.0f};
    EXPECT_EQ(r.maxX - r.minX, 40.0f);
    EXPECT_EQ(r.minY, 1000.0f);
    EXPECT_EQ(r.maxY, 1020.0f);
    ASSERT_EQ(r.edges.size(), 4u);
    for (const CollisionEdge& e : r.edges) {
      EXPECT_EQ(e.polygon, r.polygon);
      EXPECT_TRUE(e.active);
      EXPECT_EQ(e.friction, r.polygon->friction());
      EXPECT_GT(e.signedDistance(shift + Vec2{20, 10}), 0.0f) << "normals point inwards";
      const bool matched = std::any_of(fixed.begin(), fixed.end(), [&](const CollisionEdge* f) {
        return f->start + shift == e.start && f->end + shift == e.end && f->normal == e.normal &&
               f->length == e.length;
      });
      EXPECT_TRUE(matched);
    }
  }
}

TEST_F(MoverTest, ShortEdgesAreDroppedAndCrossedOutlinesGetNoCollision) {
  Polygon& notched = level::levelPolygons().emplace_back();
  notched.id = 7;
  for (Vec2 p : {Vec2{0, 0}, Vec2{10, 0}, Vec2{10, 0.005f}, Vec2{10, 10}, Vec2{0, 10}})
    notched.addPoint(p.x, p.y);
  Polygon& bowTie = level::levelPolygons().emplace_back();
  bowTie.id = 7;
  for (Vec2 p : {Vec2{20, 0}, Vec2{30, 10}, Vec2{30, 0}, Vec2{20, 10}}) bowTie.addPoint(p.x, p.y);
  Mover& m = addMover(10.0f, {0, 0}, {10, 0});
  ASSERT_EQ(movingPolygons().size(), 1u);
  EXPECT_EQ(movingPolygons().front().polygon, &notched);
  EXPECT_EQ(movingPolygons().front().edges.size(), 4u);
  EXPECT_EQ(movingPolygons().front().maxY, 10.0f);
  movers::setMoverState(m, movers::kToEnd);
  movers::stepMovers(0.5f);
  EXPECT_EQ(bowTie.offset, (Vec2{5, 0})) << "still carried";
}

// ---- Moving edges ------------------------------------------------------------------------

TEST_F(MoverTest, MovingEdgesAreThoseNearTheViewWhereTheyStandNow) {
  const float half = std::max(camera::viewWidth(), camera::viewHeight()) * 0.7f;
  const std::string right = std::to_string(int(half));
  const std::string beyond = std::to_string(int(half) + 1);
  loadLevel(R"({"waterStart": [0, 0], "cameraStart": [0, 0],
    "polygons": [
      {"id": 1, "surface": "stone", "layer": 2, "points": [[0, 0], [10, 0], [10, 10], [0, 10]]},
      {"id": 1, "surface": "stone", "layer": 2,
       "points": [[2000, 0], [2010, 0], [2010, 10], [2000, 10]]},
      {"id": 2, "surface": "stone", "layer": 2,
       "points": [[)" +
            right + R"(, 0], [900, 0], [900, 10], [)" + right + R"(, 10]]},
      {"id": 2, "surface": "stone", "layer": 2,
       "points": [[)" +
            beyond + R"(, 100], [900, 100], [900, 110], [)" + beyond + R"(, 110]]}],
    "movers": [{"id": 1, "speed": 1000, "start": [0, 0], "end": [100, 0]},
               {"id": 2, "speed": 0, "start": [0, 0], "end": [100, 0]}]})");
  movers::setMoverState(mover(0), movers::kToEnd);
  movers::stepMovers(kStep);
  movers::buildMovingEdges();
  const auto edgesOf = [](const Polygon& p) {
    return std::count_if(movers::movingEdges().begin(), movers::movingEdges().end(),
                         [&](const CollisionEdge& e) { return e.polygon == &p; });
  };
  EXPECT_EQ(edgesOf(polygon(0)), 4);
  EXPECT_EQ(edgesOf(polygon(1)), 0);
  EXPECT_EQ(edgesOf(polygon(2)), 4) << "a box touching the view's edge counts";
  EXPECT_EQ(edgesOf(polygon(3)), 0);
  for (const CollisionEdge& e : movers::movingEdges()) {
    if (e.polygon != &polygon(0)) continue;
    EXPECT_TRUE(e.start.x == 10.0f || e.start.x == 20.0f) << e.start.x;
    EXPECT_TRUE(e.end.x == 10.0f || e.end.x == 20.0f) << e.end.x;
  }
  camera::setPosition({2000, 0});
  movers::buildMovingEdges();
  EXPECT_EQ(edgesOf(polygon(0)), 0);
  EXPECT_EQ(edgesOf(polygon(1)), 4);
  level::setPolygonSolid(polygon(1), false);
  movers::buildMovingEdges();
  EXPECT_TRUE(movers::movingEdges().empty()) << "a polygon made passable leaves no edges";
}

TEST_F(MoverTest, CollideCircleMeetsThePlatformWhereItStandsNow) {
  loadLevel(liftLevel(1000));
  movers::buildMovingEdges();
  Vec2 underOld{0, 21.5f};
  EXPECT_TRUE(collision::collideCircle(underOld, 2.0f));
  movers::setMoverState(mover(0), movers::kToEnd);
  movers::stepMovers(kStep);
  movers::buildMovingEdges();
  underOld = {0, 21.5f};
  EXPECT_FALSE(collision::collideCircle(underOld, 2.0f));
  Vec2 underNew{0, 11.5f};
  EXPECT_TRUE(collision::collideCircle(underNew, 2.0f));
  EXPECT_NEAR(underNew.y, 12.0f, 1e-4f);
}

// ---- Pushing the water -------------------------------------------------------------------

// 5 units in one step: sweep steps of 1.7, 1.7 and 1.6. A particle resting on the platform
// is carried through all three, one 3 units above it only from the second on.
TEST_F(MoverTest, ALiftPushesItsRidersOncePerSweepStep) {
  loadLevel(liftLevel(500));
  Particle& left = addParticle({-30, -2});
  Particle& middle = addParticle({0, -2});
  Particle& reaching = addParticle({15, -2.25f});
  Particle& late = addParticle({30, -5});
  movers::setMoverState(mover(0), movers::kToEnd);
  movers::stepMovers(kStep);
  const Vec2 d = polygon(0).offset;
  ASSERT_EQ(d, (Vec2{0, -5}));
  const float v = d.y / kStep;
  for (Particle* p : {&left, &middle}) {
    EXPECT_NEAR(p->position.y, -7.0f, 1e-4f);
    EXPECT_FLOAT_EQ(p->push.y, 3.0f * v);
    EXPECT_EQ(p->push.x, 0.0f);
  }
  EXPECT_NEAR(reaching.position.y, -7.25f, 1e-4f) << "2.25 units above is within reach";
  EXPECT_NEAR(late.position.y, -6.6f, 1e-4f);
  EXPECT_FLOAT_EQ(late.push.y, 2.0f * v);
  EXPECT_EQ(polygon(0).previousOffset, polygon(0).offset);
}

TEST_F(MoverTest, ASlowLiftCarriesItsRidersAlive) {
  loadLevel(liftLevel(100));
  Particle& rider = addParticle({0, -2});
  movers::setMoverState(mover(0), movers::kToEnd);
  stepTimes(10);
  EXPECT_NEAR(rider.position.y, polygon(0).offset.y - 2.0f, 1e-4f);
  EXPECT_NEAR(polygon(0).offset.y, -10.0f, 1e-4f);
  EXPECT_NEAR(rider.push.y, 10.0f * (-1.0f / kStep), 0.01f);
  EXPECT_FALSE(rider.killPending);
}

// The carrying passes from particle to particle within 6 units, boundary included.
TEST_F(MoverTest, CarryingSpreadsAlongAChainOfParticles) {
  loadLevel(liftLevel(100));
  Particle& onTop = addParticle({48, -2});
  Particle& second = addParticle({53, -2});
  Particle& third = addParticle({58.5f, -2});
  Particle& fourth = addParticle({64.5f, -2});
  Particle& apart = addParticle({70.6f, -2});
  movers::setMoverState(mover(0), movers::kToEnd);
  movers::stepMovers(kStep);
  const float v = polygon(0).offset.y / kStep;
  EXPECT_NEAR(onTop.position.y, -3.0f, 1e-4f);
  for (Particle* p : {&onTop, &second, &third, &fourth}) EXPECT_FLOAT_EQ(p->push.y, v);
  EXPECT_EQ(second.position, (Vec2{53, -2})) << "taken after the sweep step's move";
  EXPECT_EQ(apart.push, (Vec2{0, 0}));
}

TEST_F(MoverTest, AParticleIsCarriedByOnePolygonPerStep) {
  loadLevel(R"({"waterStart": [0, 0], "cameraStart": [0, 0],
    "polygons": [
      {"id": 1, "surface": "stone", "layer": 2, "points": [[-50, 0], [0, 0], [0, 20], [-50, 20]]},
      {"id": 1, "surface": "stone", "layer": 2, "points": [[0, 0], [50, 0], [50, 20], [0, 20]]}],
    "movers": [{"id": 1, "speed": 100, "start": [0, 0], "end": [0, -100]}]})");
  Particle& p = addParticle({0, -2});
  movers::setMoverState(mover(0), movers::kToEnd);
  movers::stepMovers(kStep);
  EXPECT_NEAR(p.position.y, -3.0f, 1e-4f);
  EXPECT_FLOAT_EQ(p.push.y, polygon(0).offset.y / kStep);
}

TEST_F(MoverTest, ParticlesTrappedInsideAMovingPolygonAreMarkedForKilling) {
  loadLevel(liftLevel(100));
  Particle& trapped = addParticle({0, 1});
  Particle& rider = addParticle({-30, -2});
  movers::setMoverState(mover(0), movers::kToEnd);
  movers::stepMovers(kStep);
  EXPECT_TRUE(trapped.killPending);
  EXPECT_FALSE(rider.killPending);
}

// A block coming down onto a particle resting on a fixed floor: the walls push the carried
// particle back up into the block.
TEST_F(MoverTest, ACrusherKillsWhatItPressesAgainstTheFloor) {
  loadLevel(R"({"waterStart": [0, 0], "cameraStart": [0, 0],
    "polygons": [
      {"surface": "stone", "layer": 2, "points": [[-100, 20], [100, 20], [100, 60], [-100, 60]]},
      {"id": 1, "surface": "metal", "layer": 2,
       "points": [[-50, -30], [50, -30], [50, -10], [-50, -10]]}],
    "movers": [{"id": 1, "speed": 500, "start": [0, 0], "end": [0, 30]}]})");
  Particle& p = addParticle({0, 18});
  movers::setMoverState(mover(0), movers::kToEnd);
  stepTimes(5);
  EXPECT_FALSE(p.killPending) << "the block is still 3 units above";
  stepTimes(1);
  EXPECT_TRUE(p.killPending);
  EXPECT_NEAR(p.position.y, 18.0f, 1e-4f) << "the floor holds it";
}

TEST_F(MoverTest, IceGroupsRestingOnAPlatformAreCarried) {
  loadLevel(liftLevel(100));
  auto addGroup = [](Vec2 centre) -> ParticleGroup& {
    ParticleGroup& g = grouped_particle_mover::groupList().emplace_back();
    g.radius = 4.0f;
    g.centre = centre;
    g.particles.emplace_back().position = centre + Vec2{1, 1};
    return g;
  };
  ParticleGroup& resting = addGroup({0, -4.2f});
  ParticleGroup& above = addGroup({30, -7.0f});
  movers::setMoverState(mover(0), movers::kToEnd);
  movers::stepMovers(kStep);
  EXPECT_NEAR(resting.centre.y, -5.2f, 1e-4f);
  EXPECT_NEAR(resting.particles.front().position.y, -4.2f, 1e-4f);
  EXPECT_EQ(resting.particles.front().push, (Vec2{0, 0})) << "groups get no push";
  EXPECT_EQ(above.centre, (Vec2{30, -7}));
}

// The view box for pushing reaches 520 units from the camera, its boundary included.
TEST_F(MoverTest, OutsideTheViewNothingIsPushed) {
  loadLevel(R"({"waterStart": [0, 0], "cameraStart": [0, 0],
    "polygons": [
      {"id": 1, "surface": "stone", "layer": 2,
       "points": [[520, 0], [620, 0], [620, 20], [520, 20]]},
      {"id": 1, "surface": "stone", "layer": 2,
       "points": [[521, 100], [621, 100], [621, 120], [521, 120]]},
      {"id": 2, "surface": "stone", "layer": 2,
       "points": [[1000, 0], [1100, 0], [1100, 20], [1000, 20]]}],
    "movers": [{"id": 1, "speed": 100, "start": [0, 0], "end": [0, -100]},
               {"id": 2, "speed": 100, "start": [0, 0], "end": [100, 0]}]})");
  Particle& inside = addParticle({570, -2});
  Particle& outside = addParticle({571, 98});
  Particle& far = addParticle({1050, -2});
  startAll(movers::kToEnd);
  stepTimes(3);
  EXPECT_NEAR(inside.position.y, -5.0f, 1e-4f);
  EXPECT_EQ(outside.position, (Vec2{571, 98}));
  EXPECT_EQ(outside.push, (Vec2{0, 0}));
  EXPECT_EQ(far.position, (Vec2{1050, -2}));
  EXPECT_EQ(far.push, (Vec2{0, 0}));
  // Coming into view, the platform sweeps only this step's displacement.
  camera::setPosition({1000, 0});
  stepTimes(1);
  EXPECT_NEAR(far.position.x, 1051.0f, 1e-4f);
  EXPECT_FLOAT_EQ(far.push.x, 1.0f / kStep);
}

// ---- Console and lifetime ----------------------------------------------------------------

TEST_F(MoverTest, ConsoleEntriesLiveWithTheLevelAndFlagsClearOnRestart) {
  loadLevel(liftLevel(100));
  EXPECT_EQ(run("MoverCount"), "\nMoverCount is 1");
  run("MoverDraw true");
  run("DynamicNodeDraw true");
  EXPECT_TRUE(movers::moverDraw());
  EXPECT_TRUE(movers::dynamicNodeDraw());
  movers::setMoverState(mover(0), movers::kLoopToEnd);
  stepTimes(3);
  level::restartLevel();
  EXPECT_FALSE(movers::moverDraw());
  EXPECT_FALSE(movers::dynamicNodeDraw());
  EXPECT_EQ(mover(0).position, 0.0f);
  EXPECT_EQ(mover(0).state, movers::kStopped);
  stepTimes(1);
  EXPECT_EQ(polygon(0).offset, (Vec2{0, 0}));
  level::clearLevel();
  EXPECT_TRUE(moverList().empty());
  EXPECT_TRUE(movingPolygons().empty());
  for (const char* name : {"MoverCount", "MoverDraw", "DynamicNodeDraw"})
    EXPECT_EQ(console::findCommand(name), nullptr) << name;
}

}  // namespace
