#include <gtest/gtest.h>

#include <cmath>

#include "game/entities/checkpoint_times.h"
#include "game/entities/level_objects.h"
#include "game/entities/movers.h"
#include "game/entities/sound_sources.h"
#include "game/entities/triggers.h"
#include "game/level/forces.h"
#include "game/level/level_data.h"
#include "game/simulation/level_completion.h"
#include "game/water/fx_particles.h"
#include "game/water/grouped_particle_mover.h"
#include "game/water/particle_mover.h"
#include "game/world/camera.h"
#include "game/world/level_record.h"
#include "water/water_test_support.h"

namespace {

using grouped_particle_mover::groupList;
using particle_manager::particleList;
using triggers::triggerList;

class TriggerTest : public WaterTest {
 protected:
  void SetUp() override {
    WaterTest::SetUp();
    // Written negative: the settings count by their size only.
    restartWith(
        "triggerTemperatureChangeSpeed = -20 triggerTemperatureChangeAmountIce = 10 "
        "triggerTemperatureChangeAmountSteam = -150");
    triggers::readTemperatureSettings();
    level_objects::initialise();
    forces::initialise();
    movers::initialise();
    fx_particles::initialise();
    sound_sources::initialise();
    triggers::initialise();
  }
  void TearDown() override {
    fx_particles::shutdown();
    WaterTest::TearDown();
  }

  // The square of side `size` from `corner`, clockwise on screen.
  Trigger& addSquare(int32_t type, Vec2 corner, float size = 10.0f, uint32_t targetId = 0,
                     float value = 0.0f) {
    triggers::addTrigger(type, targetId, value, corner, corner + Vec2{size, 0},
                         corner + Vec2{size, size}, corner + Vec2{0, size});
    return triggerList().back();
  }
  ParticleGroup& addGroup(int32_t count, Vec2 centre, float temperature = -5.0f) {
    ParticleGroup& g = groupList().emplace_back();
    g.particles.resize(size_t(count));
    g.centre = centre;
    g.temperature = temperature;
    return g;
  }
  static void steps(int count, float dt) {
    for (int i = 0; i < count; ++i) triggers::step(dt);
  }
  std::string run(const std::string& line) {
    takePrinted();
    console::execute(line);
    return takePrinted();
  }
};

// ---- Building ----------------------------------------------------------------------------

// Rows from the level authors' list of trigger types: "_1" types fire once, "_a" ones always.
TEST_F(TriggerTest, TypeRowsCarryTheirNamesAndFireLimits) {
  const struct {
    int32_t id;
    std::string_view name;
    int32_t fireLimit;
  } rows[] = {
      {-1, "Null_a", 0},          {3, "Anim_play_loop_1", 1},   {202, "Force_multi_dir_pull_a", 0},
      {301, "Entity_add_1", 1},   {402, "Mover_goto_end_1", 1}, {405, "Mover_goto_end_a", 0},
      {503, "Emitter_stop_1", 1}, {602, "Camera_zoom_a", 0},    {901, "Checkpoint_1", 1},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(triggers::triggerTypeRow(row.id).name, row.name) << row.id;
    EXPECT_EQ(triggers::triggerTypeRow(row.id).fireLimit, row.fireLimit) << row.id;
  }
  EXPECT_EQ(&triggers::triggerTypeRow(6), &triggers::triggerTypeRow(-1));
  for (const auto& [id, type] : triggers::triggerTypes()) {
    EXPECT_EQ(type.cooldown, 0.0f) << id;
    EXPECT_TRUE(type.action) << id;
  }
}

TEST_F(TriggerTest, AnUnknownTypeBehavesAsNull) {
  Particle& p = addParticle({5, 5}, {3, 4});
  Trigger& t = addSquare(555, {0, 0});
  EXPECT_EQ(t.type->name, "Null_a");
  EXPECT_EQ(t.type->fireLimit, 0);
  steps(3, 0.1f);
  EXPECT_EQ(t.fireCount, 3);  // it fires, and does nothing
  EXPECT_EQ(p.velocity, (Vec2{3, 4}));
  EXPECT_EQ(p.temperature, 20.0f);
  EXPECT_FALSE(p.killPending);
}

TEST_F(TriggerTest, PerParticleTypesLoseTheirDelay) {
  for (int32_t type : {0, 1, 2, 200, 201, 202, 203, 701, 702})
    EXPECT_EQ(addSquare(type, {0, 0}, 10, 0, 2.5f).value, 0.0f) << type;
  for (int32_t type : {-1, 3, 100, 300, 402, 501, 601, 801, 901})
    EXPECT_EQ(addSquare(type, {0, 0}, 10, 0, 2.5f).value, 2.5f) << type;
}

TEST_F(TriggerTest, TargetsAreCollectedByIdInKindOrder) {
  // Created in the reverse of the order the trigger lists them.
  FxEmitter emitter;
  emitter.id = 9;
  fx_particles::addEmitter(emitter);
  movers::addMover(9, 10, {0, 0}, {10, 0});
  movers::addMover(8, 10, {0, 0}, {10, 0});
  level::levelPolygons().emplace_back().id = 9;
  forces::addForce(9, 0, 0, 1, 0, 1);
  LevelObject animated;
  animated.id = 9;
  animated.frameCount = 3;
  level_objects::addObject(animated);
  LevelObject still;
  still.id = 9;
  level_objects::addObject(still);

  const Trigger& t = addSquare(300, {0, 0}, 10, 9);
  std::vector<int32_t> kinds;
  for (const TriggerTarget& target : t.targets) kinds.push_back(triggers::targetKind(target));
  EXPECT_EQ(kinds, (std::vector<int32_t>{1, 1, 3, 0, 4, 5}));
  EXPECT_EQ(std::get<LevelObject*>(t.targets[0]), &level_objects::stillObjects().front());
  EXPECT_EQ(std::get<LevelObject*>(t.targets[1]), &level_objects::animatedObjects().front());
  EXPECT_EQ(std::get<Mover*>(t.targets[4]), &movers::moverList().front());
  // Target id 0 means none, even with entities of id 0 about.
  level::levelPolygons().emplace_back();
  EXPECT_TRUE(addSquare(300, {0, 0}, 10, 0).targets.empty());
}

TEST_F(TriggerTest, PointsOnTheEdgesAreInsideWhicheverWayTheCornersTurnAndNaNIsNowhere) {
  const Trigger& clockwise = addSquare(-1, {0, 0});
  triggers::addTrigger(-1, 0, 0, {0, 0}, {0, 10}, {10, 10}, {10, 0});
  const Trigger& anticlockwise = triggerList().back();
  for (const Trigger* t : {&clockwise, &anticlockwise}) {
    for (Vec2 p : {Vec2{0, 0}, Vec2{10, 10}, Vec2{5, 0}, Vec2{10, 5}, Vec2{5, 10}, Vec2{0, 5},
                   Vec2{5, 5}, Vec2{2, 2}, Vec2{3, 7}, Vec2{7, 3}})
      EXPECT_TRUE(triggers::pointInTrigger(*t, p)) << p.x << ", " << p.y;
    for (Vec2 p : {Vec2{-0.001f, 5}, Vec2{10.001f, 5}, Vec2{5, -0.001f}, Vec2{5, 10.001f},
                   Vec2{-1, -1}, Vec2{11, 11}, Vec2{NAN, 5}, Vec2{5, NAN}, Vec2{NAN, NAN}})
      EXPECT_FALSE(triggers::pointInTrigger(*t, p)) << p.x << ", " << p.y;
  }
  EXPECT_EQ(clockwise.centre(), (Vec2{5, 5}));
}

TEST_F(TriggerTest, AQuadrilateralSqueezedToAPointHoldsOnlyThatPoint) {
  triggers::addTrigger(-1, 0, 0, {4, 4}, {4, 4}, {4, 4}, {4, 4});
  EXPECT_TRUE(triggers::pointInTrigger(triggerList().back(), {4, 4}));
  EXPECT_FALSE(triggers::pointInTrigger(triggerList().back(), {4, 5}));
  EXPECT_FALSE(triggers::pointInTrigger(triggerList().back(), {-300, 100}));
}

// ---- Temperatures ----------------------------------------------------------------------

TEST_F(TriggerTest, ToIceCoolsToItsLimitAndNoFurther) {
  Particle& p = addParticle({5, 5});
  p.temperature = 15.0f;
  Particle& colder = addParticle({6, 6});
  colder.temperature = -30.0f;
  ParticleGroup& g = addGroup(4, {4, 4}, 0.0f);
  addSquare(0, {0, 0});
  steps(24, 0.05f);
  EXPECT_FLOAT_EQ(p.temperature, -9.0f);
  triggers::step(0.05f);
  EXPECT_FLOAT_EQ(p.temperature, -10.0f);  // 25 degrees in 1.25 s
  steps(20, 0.05f);
  EXPECT_EQ(p.temperature, -10.0f);
  EXPECT_EQ(g.temperature, -10.0f);
  EXPECT_EQ(colder.temperature, -30.0f);  // a cooling trigger never warms
}

TEST_F(TriggerTest, ToWaterHoldsFreeWaterAtFiftyAndMeltsIce) {
  Particle& hot = addParticle({5, 5});
  hot.temperature = 80.0f;
  Particle& cold = addParticle({6, 6});
  cold.temperature = 0.0f;
  ParticleGroup& g = addGroup(4, {4, 4}, -5.0f);
  addSquare(1, {0, 0});
  for (int i = 0; i < 80; ++i) {
    triggers::step(0.05f);
    ASSERT_GE(hot.temperature, 50.0f);
    ASSERT_LE(cold.temperature, 50.0f);
  }
  EXPECT_EQ(hot.temperature, 50.0f);
  EXPECT_EQ(cold.temperature, 50.0f);
  EXPECT_NEAR(g.temperature, -5.0f + 80 * 0.05f * 20.0f, 1e-3f);  // no limit for ice
}

TEST_F(TriggerTest, ToSteamHeatsFreeWaterToItsLimit) {
  Particle& p = addParticle({5, 5});
  ParticleGroup& g = addGroup(4, {4, 4}, -5.0f);
  addSquare(2, {0, 0});
  steps(200, 0.05f);
  EXPECT_EQ(p.temperature, 150.0f);
  EXPECT_NEAR(g.temperature, -5.0f + 200 * 0.05f * 20.0f, 1e-2f);
}

// ---- Firing rules ----------------------------------------------------------------------

TEST_F(TriggerTest, AOnceTriggerFiresOnceUntilReset) {
  FxEmitter emitter;
  emitter.id = 5;
  emitter.burstSize = 3;
  emitter.textures.emplace_back("gfx\\spark.tga", "DEFAULT_SPRITE");
  fx_particles::addEmitter(emitter);
  addParticle({5, 5});
  addParticle({6, 6});
  Trigger& t = addSquare(501, {0, 0}, 10, 5);
  steps(3, 0.1f);
  EXPECT_EQ(fx_particles::particleList().size(), 3u);
  EXPECT_EQ(t.fireCount, 1);
  triggers::resetTriggers();
  EXPECT_EQ(t.fireCount, 0);
  steps(3, 0.1f);
  EXPECT_EQ(fx_particles::particleList().size(), 6u);
}

TEST_F(TriggerTest, AMoverTriggerMovesItsMoversOnce) {
  movers::addMover(3, 10, {0, 0}, {50, 0});
  movers::addMover(3, 10, {0, 0}, {0, 50});
  addSquare(402, {0, 0}, 10, 3);
  addParticle({5, 5});
  triggers::step(0.1f);
  for (Mover& m : movers::moverList()) {
    EXPECT_EQ(m.state, 1);
    m.state = 0;
  }
  steps(3, 0.1f);
  for (const Mover& m : movers::moverList()) EXPECT_EQ(m.state, 0);
}

TEST_F(TriggerTest, ADelayedActionRunsAfterItsDelay) {
  FxEmitter emitter;
  emitter.id = 2;
  emitter.active = false;
  fx_particles::addEmitter(emitter);
  const FxEmitter& e = fx_particles::emitterList().front();
  addParticle({5, 5});
  addSquare(502, {0, 0}, 10, 2, 0.5f);
  triggers::step(0.25f);  // fires; the action waits 0.5 s
  triggers::step(0.25f);
  EXPECT_FALSE(e.active);
  triggers::step(0.25f);
  EXPECT_TRUE(e.active);
}

TEST_F(TriggerTest, ResettingForgetsTheDelayedActions) {
  FxEmitter emitter;
  emitter.id = 2;
  emitter.active = false;
  fx_particles::addEmitter(emitter);
  Particle& p = addParticle({5, 5});
  addSquare(502, {0, 0}, 10, 2, 0.5f);
  triggers::step(0.25f);
  p.position = {100, 100};
  triggers::resetTriggers();
  steps(4, 0.25f);
  EXPECT_FALSE(fx_particles::emitterList().front().active);
}

TEST_F(TriggerTest, TriggersFarFromTheViewAreNeitherTestedNorCooled) {
  // The square reaches 0.55 * 800 = 440 units from the camera at the origin.
  Particle& far = addParticle({1005, 5});
  Particle& near = addParticle({435, 5});
  Trigger& farTrigger = addSquare(0, {1000, 0});
  Trigger& nearTrigger = addSquare(0, {430, 0});
  farTrigger.cooldownLeft = nearTrigger.cooldownLeft = 0.5f;
  triggers::step(0.25f);
  EXPECT_EQ(farTrigger.cooldownLeft, 0.5f);
  EXPECT_EQ(nearTrigger.cooldownLeft, 0.25f);
  steps(2, 0.25f);
  EXPECT_EQ(farTrigger.fireCount, 0);
  EXPECT_EQ(far.temperature, 20.0f);
  EXPECT_EQ(nearTrigger.fireCount, 1);
  EXPECT_LT(near.temperature, 20.0f);
  camera::setPosition({1000, 0});
  triggers::step(0.25f);
  EXPECT_EQ(farTrigger.cooldownLeft, 0.25f);
}

// ---- Water at the end and checkpoints --------------------------------------------------

class LevelEndTest : public TriggerTest {
 protected:
  // The end needs `share` of all water in the area during one tick.
  void startCompletion(float share) {
    data_.write("cfg/game.cfg", "finishWaterVolume = " + std::to_string(share));
    level_completion::initialise();
  }
  // One tick's count in the end area reached what was needed.
  bool wonAfterStep() {
    triggers::step(0.1f);
    level_completion::update(0.1f);
    return level_record::isFinishing();
  }
};

TEST_F(LevelEndTest, EachParticleInsideCountsOnePerTick) {
  addSquare(801, {0, 0});
  for (int i = 0; i < 2; ++i) addParticle({5, 5});
  for (int i = 0; i < 4; ++i) addParticle({50, 50});
  startCompletion(0.5f);  // needs 3 of 6
  EXPECT_FALSE(wonAfterStep());
  EXPECT_FALSE(wonAfterStep());  // the count does not build up over ticks
  particleList().back().position = {5, 5};
  EXPECT_TRUE(wonAfterStep());
}

TEST_F(LevelEndTest, AnIceGroupCountsItsParticles) {
  addSquare(801, {0, 0});
  addGroup(30, {5, 5});
  addParticle({50, 50});
  startCompletion(1.0f);  // needs all 31
  EXPECT_FALSE(wonAfterStep());
  particleList().back().position = {5, 5};
  EXPECT_TRUE(wonAfterStep());
}

TEST_F(TriggerTest, ACheckpointKeepsTheTriggerCentreAndTheWater) {
  level_completion::initialise();
  checkpoint_times::initialise();
  for (int i = 0; i < 3; ++i) addParticle({25, 15});
  triggers::addTrigger(901, 0, 0, {20, 10}, {30, 10}, {30, 20}, {20, 20});
  steps(2, 0.1f);
  EXPECT_EQ(level_record::checkpoint(), (Vec2{25, 15}));
  EXPECT_EQ(level_record::checkpointWater(), 3);
  EXPECT_EQ(checkpoint_times::reachedCount(), 1);
  checkpoint_times::shutdown();
}

// ---- Forces ----------------------------------------------------------------------------

TEST_F(TriggerTest, DirectionalForcesAddUpAndInstantaneousOnesSetTheVelocity) {
  forces::addForce(4, 0, 0, 0, 2, 10);   // down, 10
  forces::addForce(4, 0, 0, 1, 0, 5);    // right, 5
  forces::addForce(6, 0, 0, 1, 0, 100);  // another id
  Particle& pushed = addParticle({5, 5}, {1, 0});
  Particle& set = addParticle({25, 5}, {1, 0});
  ParticleGroup& g = addGroup(4, {5, 5});
  addSquare(200, {0, 0}, 10, 4);
  addSquare(201, {20, 0}, 10, 4);
  steps(2, 0.5f);
  EXPECT_EQ(pushed.velocity, (Vec2{1 + 2 * 2.5f, 2 * 5.0f}));
  EXPECT_EQ(g.velocity, (Vec2{2 * 2.5f, 2 * 5.0f}));
  EXPECT_EQ(set.velocity, (Vec2{5, 0}));  // the last force listed wins
}

TEST_F(TriggerTest, PullAndPushWeakenWithDistance) {
  forces::addForce(4, 0, 0, 1, 0, 10);
  Particle& pulled = addParticle({3, 4});
  Particle& pushed = addParticle({-3, -4});
  Particle& atForce = addParticle({0, 0});
  ParticleGroup& g = addGroup(4, {3, 4});
  addSquare(202, {0, 0}, 10, 4);
  addSquare(203, {-10, -10}, 9, 4);
  triggers::step(0.1f);
  const float s = std::sqrt(1.0f / 6.0f) * 0.1f * 10.0f;
  EXPECT_NEAR(pulled.velocity.x, -0.6f * s, 1e-6f);
  EXPECT_NEAR(pulled.velocity.y, -0.8f * s, 1e-6f);
  EXPECT_NEAR(g.velocity.x, -0.6f * s, 1e-6f);
  EXPECT_NEAR(pushed.velocity.x, -0.6f * s, 1e-6f);  // away from the force
  EXPECT_NEAR(pushed.velocity.y, -0.8f * s, 1e-6f);
  EXPECT_EQ(atForce.velocity, (Vec2{0, 0}));
}

TEST_F(TriggerTest, RemoveAndAddSwitchForcesAndObjects) {
  forces::addForce(4, 0, 0, 1, 0, 10);
  LevelObject object;
  object.id = 4;
  level_objects::addObject(object);
  const LevelObject& o = level_objects::stillObjects().front();
  Particle& p = addParticle({5, 5});
  Particle& switcher = addParticle({500, 500});
  addSquare(200, {0, 0}, 10, 4);
  addSquare(300, {100, 0}, 10, 4);  // remove
  addSquare(301, {200, 0}, 10, 4);  // add
  triggers::step(0.1f);
  EXPECT_FLOAT_EQ(p.velocity.x, 1.0f);
  // p comes first in the particle list, so each switch acts from p's next tick on.
  switcher.position = {105, 5};
  triggers::step(0.1f);
  EXPECT_FALSE(forces::forceList().front().active);
  EXPECT_FALSE(o.enabled);
  EXPECT_FLOAT_EQ(p.velocity.x, 2.0f);
  steps(2, 0.1f);
  EXPECT_FLOAT_EQ(p.velocity.x, 2.0f);
  switcher.position = {205, 5};
  triggers::step(0.1f);
  EXPECT_TRUE(forces::forceList().front().active);
  EXPECT_TRUE(o.enabled);
  EXPECT_FLOAT_EQ(p.velocity.x, 2.0f);
  triggers::step(0.1f);
  EXPECT_FLOAT_EQ(p.velocity.x, 3.0f);
}

// ---- Actions on the targets ------------------------------------------------------------

TEST_F(TriggerTest, RemovingAWallLetsTheWaterThrough) {
  loadLevel(R"({
    "waterStart": [0, -10], "cameraStart": [0, -10],
    "polygons": [{"id": 7, "surface": "stone", "layer": 2,
                  "points": [[-50, 0], [50, 0], [50, 5], [-50, 5]]}],
    "triggers": [{"type": "Entity_remove_1", "targetId": 7,
                  "corners": [[200, 0], [210, 0], [210, 10], [200, 10]]}]
  })");
  Particle& p = addParticle({0, -8}, {0, 1500});
  particle_mover::moveParticle(p, 0.01f);
  EXPECT_NEAR(p.position.y, -2.0f, 1e-4f);  // stopped by the wall

  addParticle({205, 5});
  triggers::step(0.01f);
  const Polygon& wall = level::levelPolygons().front();
  EXPECT_FALSE(wall.solid);
  EXPECT_FALSE(wall.enabled);
  p.position = {0, -8};
  p.velocity = {0, 1500};
  particle_mover::moveParticle(p, 0.01f);
  EXPECT_NEAR(p.position.y, 7.0f, 1e-4f);  // straight through
}

TEST_F(TriggerTest, AnimationTriggersPlayAndStopTheirObjects) {
  LevelObject object;
  object.id = 8;
  object.frameCount = 4;
  object.frame = 2;
  object.playCount = 3;
  level_objects::addObject(object);
  const LevelObject& o = level_objects::animatedObjects().front();
  Particle& p = addParticle({5, 5});
  addSquare(3, {0, 0}, 10, 8);
  addSquare(5, {20, 0}, 10, 8);
  addSquare(4, {40, 0}, 10, 8);
  triggers::step(0.1f);
  EXPECT_FALSE(o.stopped);
  EXPECT_EQ(o.playCount, 0);  // loops
  EXPECT_EQ(o.frame, 2);
  p.position = {25, 5};
  triggers::step(0.1f);
  EXPECT_TRUE(o.stopped);
  p.position = {45, 5};
  triggers::step(0.1f);
  EXPECT_FALSE(o.stopped);
  EXPECT_EQ(o.playCount, 1);  // once, from the first frame
  EXPECT_EQ(o.frame, 0);
}

TEST_F(TriggerTest, SoundTriggersAddressSourcesById) {
  for (bool looping : {false, true}) {
    SoundSource source;
    source.id = 4;
    source.looping = looping;
    sound_sources::addSource(source);
  }
  SoundSource other;
  other.id = 5;
  sound_sources::addSource(other);
  Particle& p = addParticle({5, 5});
  addSquare(100, {0, 0}, 10, 4);
  addSquare(101, {20, 0}, 10, 4);
  triggers::step(0.1f);
  EXPECT_FALSE(sound_sources::loopingSources().at(4).front().stopped);
  EXPECT_FALSE(sound_sources::oneShotSources().at(4).front().stopped);
  EXPECT_TRUE(sound_sources::oneShotSources().at(5).front().stopped);
  p.position = {25, 5};
  triggers::step(0.1f);
  EXPECT_TRUE(sound_sources::loopingSources().at(4).front().stopped);
  EXPECT_TRUE(sound_sources::oneShotSources().at(4).front().stopped);
}

TEST_F(TriggerTest, EmitterTriggersStopAndStartTheirEmitters) {
  FxEmitter emitter;
  emitter.id = 2;
  fx_particles::addEmitter(emitter);
  Particle& p = addParticle({5, 5});
  addSquare(503, {0, 0}, 10, 2);
  addSquare(502, {20, 0}, 10, 2);
  triggers::step(0.1f);
  EXPECT_FALSE(fx_particles::emitterList().front().active);
  p.position = {25, 5};
  triggers::step(0.1f);
  EXPECT_TRUE(fx_particles::emitterList().front().active);
}

TEST_F(TriggerTest, CameraTriggersZoomAndShake) {
  camera::setMode(camera::kFollow);
  addParticle({5, 5});
  addSquare(602, {0, 0});
  addSquare(603, {0, 0});
  triggers::step(0.1f);
  EXPECT_EQ(camera::mode(), camera::kZoomingOut);
  EXPECT_TRUE(camera::isShaking());
}

TEST_F(TriggerTest, KillTriggersMarkParticlesAndGroups) {
  Particle& p = addParticle({5, 5});
  ParticleGroup& g = addGroup(4, {5, 5});
  Particle& lucky = addParticle({25, 5});
  addSquare(701, {0, 0});
  addSquare(702, {20, 0});
  triggers::step(0.0f);  // a random kill needs a number <= 0.5 * dt
  EXPECT_TRUE(p.killPending);
  EXPECT_TRUE(g.killPending);
  EXPECT_FALSE(lucky.killPending);
  triggers::step(2.0f);  // ... which any number is for dt = 2
  EXPECT_TRUE(lucky.killPending);
}

// ---- Console ---------------------------------------------------------------------------

TEST_F(TriggerTest, TriggerCreateNeedsSixArgumentsOfTheirKinds) {
  const std::string usage =
      "\nUSAGE: TriggerCreate < id : integer > < target id : integer > < x : number > "
      "< y : number > < w : number > < h : number > ";
  for (const char* line : {"TriggerCreate 801 0 10 20 30", "TriggerCreate 801.5 0 10 20 30 40",
                           "TriggerCreate 801 0 10 20 30 40 50", "TriggerCreate 801 x 10 20 30 40"})
    EXPECT_NE(run(line).find(usage), std::string::npos) << line;
  EXPECT_TRUE(triggerList().empty());

  run("TriggerCreate 801 3 10 20 30 -40");
  ASSERT_EQ(triggerList().size(), 1u);
  const Trigger& t = triggerList().front();
  EXPECT_EQ(t.triggerType, 801);
  EXPECT_EQ(t.targetId, 3u);
  EXPECT_EQ(t.value, 0.0f);
  EXPECT_EQ(t.corners[2], (Vec2{40, -20}));
  EXPECT_TRUE(triggers::pointInTrigger(t, {25, 0}));
  EXPECT_EQ(run("TriggerCount"), "\nTriggerCount is 1");
}

TEST_F(TriggerTest, TriggerTypeListPrintsEveryTypeInIdOrder) {
  const std::string text = run("TriggerTypeList");
  const size_t heading = text.find("Trigger types");
  const size_t null = text.find("\nTrigger id: -1\t\tTrigger name:   Null_a");
  const size_t ice = text.find("\nTrigger id: 0\t\tTrigger name:   To_ice_a");
  const size_t checkpoint = text.find("\nTrigger id: 901\t\tTrigger name:   Checkpoint_1");
  ASSERT_NE(checkpoint, std::string::npos);
  EXPECT_LT(heading, null);
  EXPECT_LT(null, ice);
  EXPECT_LT(ice, checkpoint);
}

TEST_F(TriggerTest, TheManagerRegistersItsEntriesAndClearsItsFlag) {
  run("TriggerDraw true");
  EXPECT_TRUE(triggers::drawTriggersFlag());
  addSquare(0, {0, 0});
  triggers::shutdown();
  EXPECT_TRUE(triggerList().empty());
  EXPECT_FALSE(triggers::drawTriggersFlag());
  EXPECT_EQ(console::findCommand("TriggerCreate"), nullptr);
  EXPECT_EQ(console::findCommand("TriggerCount"), nullptr);
  takePrinted();
  triggers::initialise();
  EXPECT_EQ(takePrinted(),
            "\nShutting down trigger manager..\nInitialising down trigger manager..");
  for (const char* name : {"TriggerTypeList", "TriggerCreate", "TriggerDraw", "TriggerCount"})
    EXPECT_NE(console::findCommand(name), nullptr) << name;
}

}  // namespace
