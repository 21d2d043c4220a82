#include <gtest/gtest.h>

#include "common/random.h"
#include "game/core/camera.h"
#include "game/water/fx_particles.h"
#include "water/water_test_support.h"

namespace {

using fx_particles::particleList;

// The camera sits at the origin with a view of 800 x 600 at zoom 1: emitters work within
// 400 units of it along either axis.
class FxParticleTest : public WaterTest {
 protected:
  void SetUp() override {
    WaterTest::SetUp();
    fx_particles::initialise();
    rng::seed(7);
  }
  void TearDown() override {
    fx_particles::shutdown();
    WaterTest::TearDown();
  }
  // An emitter at `position` with one texture, long-lived sprites of size 4 and the interval.
  FxEmitter& addEmitter(Vec2 position, float interval) {
    FxEmitter emitter = fx_particles::createEmitter();
    emitter.setPosition(position.x, position.y);
    emitter.interval = interval;
    emitter.size1 = emitter.size2 = 4.0f;
    emitter.liveTime1 = emitter.liveTime2 = 100.0f;
    emitter.textures.emplace_back("gfx\\fx\\spark.tga", "DEFAULT_SPRITE");
    fx_particles::addEmitter(std::move(emitter));
    return fx_particles::emitterList().back();
  }
  static void steps(int count, float dt) {
    for (int i = 0; i < count; ++i) fx_particles::step(dt);
  }
  static size_t drawnSprites() {
    size_t count = 0;
    for (const FxSpriteRun& run : fx_particles::buildSpriteRuns()) count += run.batch.spriteCount();
    return count;
  }
  std::string run(const std::string& line) {
    takePrinted();
    console::execute(line);
    return takePrinted();
  }
};

// ---- Emission ---------------------------------------------------------------------------

TEST_F(FxParticleTest, AnEmitterReleasesOneSpritePerIntervalOverTime) {
  struct Case {
    float interval, dt;
    int steps;
    size_t sprites;
  };
  for (const Case& c : {Case{0.125f, 0.0625f, 16, 8}, Case{0.5f, 0.25f, 7, 3},
                        Case{0.25f, 0.5f, 3, 6}, Case{2.0f, 0.5f, 3, 0}}) {
    fx_particles::initialise();
    FxEmitter& emitter = addEmitter({0, 0}, c.interval);
    emitter.burstSize = 50;  // bursts are for triggers only
    steps(c.steps, c.dt);
    EXPECT_EQ(particleList().size(), c.sprites) << c.interval << " every " << c.dt;
  }
}

TEST_F(FxParticleTest, BurstsReleaseBurstSizeSpritesEvenWhenStopped) {
  FxEmitter& emitter = addEmitter({0, 0}, 1.0f);
  emitter.burstSize = 5;
  emitter.active = false;
  fx_particles::burst(emitter);
  EXPECT_EQ(particleList().size(), 5u);
  steps(4, 0.5f);
  EXPECT_EQ(particleList().size(), 5u) << "a stopped emitter releases nothing over time";
}

TEST_F(FxParticleTest, AnEmitterWithoutTexturesNeverEmits) {
  FxEmitter& emitter = addEmitter({0, 0}, 0.1f);
  emitter.textures.clear();
  fx_particles::burst(emitter);
  steps(10, 0.1f);
  EXPECT_TRUE(particleList().empty());
}

TEST_F(FxParticleTest, EmittersAwayFromTheViewNeitherEmitNorGatherTime) {
  struct Case {
    Vec2 position;
    size_t sprites;
  };
  for (const Case& c : {Case{{400, 0}, 4}, Case{{0, -400}, 4}, Case{{401, 0}, 0},
                        Case{{-300, 450}, 0}}) {
    fx_particles::initialise();
    addEmitter(c.position, 0.25f);
    steps(4, 0.25f);
    EXPECT_EQ(particleList().size(), c.sprites) << c.position.x << ", " << c.position.y;
  }
  // The last one starts from an empty accumulator once the view comes to it.
  const FxEmitter& far = fx_particles::emitterList().front();
  EXPECT_EQ(far.timeAccumulator, 0.0f);
  camera::setPosition({-300, 450});
  steps(1, 0.125f);
  EXPECT_EQ(far.timeAccumulator, 0.125f);
  EXPECT_TRUE(particleList().empty());
}

// ---- Settings file ----------------------------------------------------------------------

TEST_F(FxParticleTest, SettingsKeepIntervalAndBurstSizeInRange) {
  struct Case {
    const char* text;
    float interval;
    int32_t burstSize;
  };
  for (const Case& c : {Case{"frequency = 0 burstSize = -1", 0.001f, 4096},
                        Case{"frequency = 0.5 burstSize = 5000", 0.5f, 4096},
                        Case{"frequency = -3 burstSize = 12", 0.001f, 12},
                        Case{"burstSize = 0", 1.0f, 0}}) {
    data_.write("fx/e.cfg", c.text);
    FxEmitter emitter = fx_particles::createEmitter();
    emitter.loadSettings("fx\\e.cfg");
    EXPECT_EQ(emitter.interval, c.interval) << c.text;
    EXPECT_EQ(emitter.burstSize, c.burstSize) << c.text;
  }
}

TEST_F(FxParticleTest, TheIntervalFloorLimitsEmissionToOneSpritePerMillisecond) {
  data_.write("fx/e.cfg", "frequency = 0 texture1 = gfx\\spark.tga");
  FxEmitter emitter = fx_particles::createEmitter();
  emitter.loadSettings("fx\\e.cfg");
  fx_particles::addEmitter(std::move(emitter));
  steps(1, 0.0625f);
  EXPECT_GE(particleList().size(), 62u);
  EXPECT_LE(particleList().size(), 63u);
}

TEST_F(FxParticleTest, OnlyOneOfAPairLeavesTheRangeAsItWas) {
  data_.write("fx/e.cfg", "gravity_1 = 5 size_1 = 3 size_2 = 9 liveTime_1 = 0 liveTime_2 = 2");
  FxEmitter emitter = fx_particles::createEmitter();
  emitter.gravity1 = emitter.gravity2 = 0.5f;
  emitter.loadSettings("fx\\e.cfg");
  EXPECT_EQ(emitter.gravity1, 0.5f);
  EXPECT_EQ(emitter.size1, 3.0f);
  EXPECT_EQ(emitter.size2, 9.0f);
  EXPECT_EQ(emitter.liveTime1, 0.0001f);
  EXPECT_EQ(emitter.liveTime2, 2.0f);
}

// ---- Motion and fading ------------------------------------------------------------------

// Velocity gains gravity × factor × dt after the move, and the gravity step itself is
// gravity × dt: the fall grows with dt squared.
TEST_F(FxParticleTest, SpritesMoveFirstAndThenFallByGravityTimesDtSquared) {
  restartWith("gravity = 100");
  FxEmitter& emitter = addEmitter({0, 0}, 1000.0f);
  emitter.velocity1 = emitter.velocity2 = 10.0f;  // along +x
  emitter.gravity1 = emitter.gravity2 = 2.0f;
  fx_particles::emit(emitter);
  steps(1, 0.5f);
  const FxParticle& sprite = particleList().front();
  EXPECT_FLOAT_EQ(sprite.position.x, 5.0f);
  EXPECT_FLOAT_EQ(sprite.position.y, 0.0f);
  EXPECT_FLOAT_EQ(sprite.velocity.y, 100.0f * 0.5f * 2.0f * 0.5f);
  steps(1, 0.5f);
  EXPECT_FLOAT_EQ(sprite.position.y, 50.0f * 0.5f);
}

TEST_F(FxParticleTest, SpritesFadeOverTheirLifeAndGoWhenItEnds) {
  FxEmitter& emitter = addEmitter({0, 0}, 1000.0f);
  emitter.liveTime1 = emitter.liveTime2 = 2.0f;
  emitter.color1.a = emitter.color2.a = 0.8f;
  fx_particles::emit(emitter);
  steps(2, 0.5f);
  const auto runs = fx_particles::buildSpriteRuns();
  ASSERT_EQ(runs.size(), 1u);
  ASSERT_EQ(runs[0].batch.spriteCount(), 1u);
  EXPECT_FLOAT_EQ(runs[0].batch.colour(0).a, 0.4f);
  steps(2, 0.5f);
  EXPECT_TRUE(particleList().empty());
}

// ---- Drawing ----------------------------------------------------------------------------

TEST_F(FxParticleTest, SpritesFarFromTheViewAreNotDrawn) {
  FxEmitter& emitter = addEmitter({0, 0}, 1000.0f);
  fx_particles::emit(emitter);
  struct Case {
    Vec2 camera;
    size_t drawn;
  };
  // A sprite of size 4 reaches 2 units past its centre.
  for (const Case& c : {Case{{0, 0}, 1}, Case{{402, 0}, 1}, Case{{0, -402}, 1},
                        Case{{403, 0}, 0}, Case{{-500, 500}, 0}}) {
    camera::setPosition(c.camera);
    EXPECT_EQ(drawnSprites(), c.drawn) << c.camera.x << ", " << c.camera.y;
  }
  EXPECT_EQ(particleList().size(), 1u) << "culling only leaves sprites out of the drawing";
}

TEST_F(FxParticleTest, AlphaAndAdditiveSpritesGoIntoRunsOfTheirOwn) {
  FxEmitter& alpha = addEmitter({0, 0}, 1000.0f);
  FxEmitter& additive = addEmitter({10, 0}, 1000.0f);
  additive.useAlphaBlending = false;
  for (int i = 0; i < 3; ++i) {
    fx_particles::emit(alpha);
    fx_particles::emit(additive);
  }
  const auto runs = fx_particles::buildSpriteRuns();
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_FALSE(runs[0].additive);
  EXPECT_TRUE(runs[1].additive);
  EXPECT_EQ(runs[0].batch.spriteCount(), 3u);
  EXPECT_EQ(runs[1].batch.spriteCount(), 3u);
}

// ---- Console ----------------------------------------------------------------------------

TEST_F(FxParticleTest, EmitterCreateTakesSixWordsOfTheRightKinds) {
  const std::string usage =
      "\nUSAGE: Emitter create < x : number > < y : number > < dir_x : number > "
      "< dir_y : number > < id : integer > < emitter settings : fileName > ";
  for (const char* line : {"FxEmitterCreate 1 2 0 1 4", "FxEmitterCreate 1 2 0 1 4.5 fx\\e.cfg",
                           "FxEmitterCreate 1 y 0 1 4 fx\\e.cfg"})
    EXPECT_EQ(run(line), usage) << line;
  EXPECT_TRUE(fx_particles::emitterList().empty());
  data_.write("fx/e.cfg", "burstSize = 3");
  run("FxEmitterCreate 1 2 0 -5 4 fx\\e.cfg");
  ASSERT_EQ(fx_particles::emitterList().size(), 1u);
  const FxEmitter& e = fx_particles::emitterList().front();
  EXPECT_EQ(e.position, (Vec2{1, 2}));
  EXPECT_EQ(e.direction, (Vec2{0, -1}));
  EXPECT_EQ(e.id, 4u);
  EXPECT_EQ(e.burstSize, 3);
  EXPECT_EQ(run("FxEmitterCount"), "\nFxEmitterCount is 1");
}

}  // namespace
