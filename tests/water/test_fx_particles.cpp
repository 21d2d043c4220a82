#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "common/random.h"
#include "game/water/fx_particles.h"
#include "game/world/camera.h"
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
  // An emitter with one texture and long-lived sprites of size 4.
  static FxEmitter& addEmitter(Vec2 position, float interval) {
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
};

TEST_F(FxParticleTest, AnEmitterReleasesOneSpritePerIntervalOverTime) {
  struct Case {
    float interval, dt;
    int steps;
    size_t sprites;
  };
  for (const Case& c : {Case{0.125f, 0.0625f, 16, 8}, Case{0.5f, 0.25f, 7, 3},
                        Case{0.25f, 0.5f, 3, 6}, Case{2.0f, 0.5f, 3, 0}}) {
    fx_particles::initialise();
    addEmitter({0, 0}, c.interval).burstSize = 50;  // bursts are for triggers only
    steps(c.steps, c.dt);
    EXPECT_EQ(particleList().size(), c.sprites) << c.interval << " every " << c.dt;
  }
}

TEST_F(FxParticleTest, BurstsIgnoreTheActiveFlagButNeedATexture) {
  FxEmitter& emitter = addEmitter({0, 0}, 1.0f);
  emitter.burstSize = 5;
  emitter.active = false;
  fx_particles::burst(emitter);
  steps(4, 0.5f);  // a stopped emitter releases nothing over time
  emitter.textures.clear();
  fx_particles::burst(emitter);
  EXPECT_EQ(particleList().size(), 5u);
}

TEST_F(FxParticleTest, EmittersAwayFromTheViewNeitherEmitNorGatherTime) {
  for (Vec2 position : {Vec2{400, 0}, Vec2{0, -400}, Vec2{401, 0}, Vec2{-300, 450}}) {
    fx_particles::initialise();
    addEmitter(position, 0.25f);
    steps(4, 0.25f);
    const bool inView = position.x <= 400 && position.y <= 400;
    EXPECT_EQ(particleList().size(), inView ? 4u : 0u) << position.x << ", " << position.y;
  }
  const FxEmitter& far = fx_particles::emitterList().front();
  EXPECT_EQ(far.timeAccumulator, 0.0f);
  camera::setPosition({-300, 450});
  steps(1, 0.125f);
  EXPECT_EQ(far.timeAccumulator, 0.125f);
}

TEST_F(FxParticleTest, SettingsKeepIntervalAndBurstSizeInRange) {
  struct Case {
    const char* text;
    float interval;
    int32_t burstSize;
  };
  for (const Case& c : {Case{"frequency = 0 burstSize = -1", 0.001f, 4096},
                        Case{"frequency = 0.5 burstSize = 5000", 0.5f, 4096},
                        Case{"frequency = -3 burstSize = 12", 0.001f, 12}}) {
    data_.write("fx/e.cfg", c.text);
    FxEmitter emitter = fx_particles::createEmitter();
    emitter.loadSettings("fx\\e.cfg");
    EXPECT_EQ(emitter.interval, c.interval) << c.text;
    EXPECT_EQ(emitter.burstSize, c.burstSize) << c.text;
  }
}

// Numbers a float holds but no effect needs are held to their ranges too.
TEST_F(FxParticleTest, SettingsHoldHugeNumbersToTheirRanges) {
  const std::string huge = "1000000000000000000000000000000";  // 1e30
  data_.write("fx/e.cfg", "frequency = " + huge + " liveTime_1 = " + huge + " liveTime_2 = -" +
                              huge + " velocity_1 = -" + huge + " velocity_2 = 3");
  FxEmitter emitter = fx_particles::createEmitter();
  emitter.loadSettings("fx\\e.cfg");
  EXPECT_EQ(emitter.interval, 3600);
  EXPECT_EQ(emitter.liveTime1, 60);
  EXPECT_EQ(emitter.liveTime2, 0.0001f);
  EXPECT_EQ(emitter.velocity1, -10000);
}

TEST_F(FxParticleTest, SpritesStayWithinTheirCapPerEmitterAndInAll) {
  FxEmitter& greedy = addEmitter({0, 0}, 0.001f);
  greedy.liveTime1 = greedy.liveTime2 = 1.0f;
  greedy.burstSize = 4096;
  takePrinted();
  for (int i = 0; i < 2; ++i) fx_particles::burst(greedy);
  steps(5, 0.1f);
  EXPECT_EQ(particleList().size(), size_t(fx_particles::kMostSpritesPerEmitter));
  EXPECT_EQ(takePrinted(), "") << "a held-back emission is silent";
  steps(6, 0.1f);  // the bursts' sprites die and make room again
  EXPECT_GT(greedy.liveSprites, 0);
  EXPECT_LT(greedy.liveSprites, 1000);
  // Its last sprites die out while four more emitters release 3000 each.
  greedy.active = false;
  for (int i = 0; i < 4; ++i) addEmitter({0, 0}, 0.001f);
  steps(30, 0.1f);
  EXPECT_EQ(particleList().size(), fx_particles::kMostSprites);
}

// The sprite moves first; then its velocity gains gravity × dt × factor × dt.
TEST_F(FxParticleTest, SpritesFallByGravityTimesDtSquared) {
  restartWith("gravity = 100");
  FxEmitter& emitter = addEmitter({0, 0}, 1000.0f);
  emitter.velocity1 = emitter.velocity2 = 10.0f;  // along +x
  emitter.gravity1 = emitter.gravity2 = 2.0f;
  fx_particles::emit(emitter);
  steps(1, 0.5f);
  const FxParticle& sprite = particleList().front();
  EXPECT_EQ(sprite.position, (Vec2{5, 0}));
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
  EXPECT_FLOAT_EQ(runs[0].batch.colour(0).a, 0.4f);
  steps(2, 0.5f);
  EXPECT_TRUE(particleList().empty());
}

TEST_F(FxParticleTest, SpritesFarFromTheViewAreNotDrawn) {
  fx_particles::emit(addEmitter({0, 0}, 1000.0f));
  fx_particles::emit(addEmitter({0, 0}, 1000.0f));
  fx_particles::emitterList().back().useAlphaBlending = false;
  fx_particles::emit(fx_particles::emitterList().back());
  EXPECT_EQ(fx_particles::buildSpriteRuns().size(), 2u) << "alpha and additive runs apart";
  // A sprite of size 4 reaches 2 units past its centre.
  for (Vec2 camera : {Vec2{402, 0}, Vec2{0, -402}, Vec2{403, 0}, Vec2{-500, 500}}) {
    camera::setPosition(camera);
    const bool reaches = camera.x <= 402 && camera.y <= 402;
    size_t drawn = 0;
    for (const FxSpriteRun& run : fx_particles::buildSpriteRuns()) drawn += run.batch.spriteCount();
    EXPECT_EQ(drawn, reaches ? 3u : 0u) << camera.x << ", " << camera.y;
  }
}

// An 800 x 600 view turned 30 degrees reaches about 496 units from its centre along x and
// 460 along y, past the 400 of its longer side.
TEST_F(FxParticleTest, EmittersWorkAndSpritesShowInTheCornersOfATurnedView) {
  camera::setAngle(30.0f);
  // In view coordinates (x across, y down the screen): two corners, then two places outside.
  for (Vec2 inView : {Vec2{390, 290}, Vec2{-390, 290}, Vec2{600, 0}, Vec2{0, 600}}) {
    fx_particles::initialise();
    const bool seen = std::abs(inView.x) < 400 && std::abs(inView.y) < 300;
    addEmitter(camera::turned(inView), 0.25f);
    steps(4, 0.25f);
    EXPECT_EQ(particleList().size(), seen ? 4u : 0u) << inView.x << ", " << inView.y;
    fx_particles::emit(fx_particles::emitterList().back());
    size_t drawn = 0;
    for (const FxSpriteRun& run : fx_particles::buildSpriteRuns()) drawn += run.batch.spriteCount();
    EXPECT_EQ(drawn, seen ? 5u : 0u) << inView.x << ", " << inView.y;
  }
}

TEST_F(FxParticleTest, EmitterCreateTakesSixWordsOfTheRightKinds) {
  takePrinted();
  console::execute("FxEmitterCreate 1 2 0 1 4.5 e.cfg");
  EXPECT_EQ(takePrinted(),
            "\nUSAGE: Emitter create < x : number > < y : number > < dir_x : number > "
            "< dir_y : number > < id : integer > < emitter settings : fileName > "
            "(at most 4096 sprites alive per emitter and 10000 in all)");
  data_.write("e.cfg", "burstSize = 3");
  console::execute("FxEmitterCreate 1 2 0 -5 4 e.cfg");
  const FxEmitter& e = fx_particles::emitterList().front();
  EXPECT_EQ(e.position, (Vec2{1, 2}));
  EXPECT_EQ(e.id, 4u);
  EXPECT_EQ(e.burstSize, 3);
}

}  // namespace
