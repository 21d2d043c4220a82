#include <gtest/gtest.h>

#include <string>

#include "console/console_test_support.h"
#include "game/core/camera.h"
#include "game/entities/level_objects.h"

namespace {

using level_objects::animatedObjects;
using level_objects::stillObjects;

// An uncompressed 32-bit Targa picture of the given size; the texture manager takes the
// size from it even without a window.
std::string tgaBytes(int width, int height) {
  std::string bytes(18, '\0');
  bytes[2] = 2;
  bytes[12] = char(width & 0xFF);
  bytes[13] = char(width >> 8);
  bytes[14] = char(height & 0xFF);
  bytes[15] = char(height >> 8);
  bytes[16] = 32;
  bytes[17] = 8;
  bytes.append(size_t(width) * size_t(height) * 4, '\x7F');
  return bytes;
}

// The camera at the origin with a view of 800 x 600 at zoom 1: the cull square reaches
// 0.65 x 800 = 520 units from it. Pictures: gfx/box.tga is 40 x 20, gfx/anim_FRAME00..07.tga
// are eight frames.
class LevelObjectTest : public ConsoleTest {
 protected:
  void SetUp() override {
    ConsoleTest::SetUp();
    data_.write("gfx/box.tga", tgaBytes(40, 20));
    for (int i = 0; i < 8; ++i)
      data_.write("gfx/anim_FRAME0" + std::to_string(i) + ".tga", tgaBytes(16, 16));
    startWithSpeed(10.0f);
    camera::initialise();
    camera::setPosition({0, 0});
  }
  void TearDown() override {
    level_objects::shutdown();
    ConsoleTest::TearDown();
  }
  void startWithSpeed(float speed) {
    data_.write("cfg/animation.cfg", "animationSpeeds = " + std::to_string(speed));
    level_objects::initialise();
  }
  static LevelObject& add(std::string_view texture, Vec2 position = {}, int32_t layer = 2) {
    LevelObject object;
    object.setSprite(texture);
    object.position = position;
    object.layer = layer;
    level_objects::addObject(std::move(object));
    return object.frameCount == 1 ? stillObjects().back() : animatedObjects().back();
  }
  static LevelObject& addAnimation() {
    LevelObject& object = add("gfx\\anim_FRAME00.tga");
    object.stopped = false;
    return object;
  }
  static void steps(int count, float dt) {
    for (int i = 0; i < count; ++i) level_objects::step(dt);
  }
  // Culls, then takes the queue of `layer` and empties them all.
  static size_t queued(int32_t layer = 2) {
    level_objects::cullAndQueue();
    const size_t count = level_objects::layerQueue(layer).size();
    for (int32_t l = 0; l < level_objects::kLayerCount; ++l) level_objects::clearLayerQueue(l);
    return count;
  }
  std::string run(const std::string& line) {
    takePrinted();
    console::execute(line);
    return takePrinted();
  }
};

// ---- Lists and frame sets ---------------------------------------------------------------

TEST_F(LevelObjectTest, FrameSetsResolveInListingOrderAndPickTheList) {
  const LevelObject& still = add("gfx\\box.tga");
  const LevelObject& animation = add("gfx\\ANIM_frame05.tga");
  EXPECT_EQ(stillObjects().size(), 1u);
  EXPECT_EQ(still.frameCount, 1);
  ASSERT_EQ(animatedObjects().size(), 1u);
  ASSERT_EQ(animation.frameCount, 8);
  EXPECT_EQ(animation.frames.front().name(), "gfx\\anim_FRAME00.tga");
  EXPECT_EQ(animation.frames.back().name(), "gfx\\anim_FRAME07.tga");
}

TEST_F(LevelObjectTest, AFrameSetThatMatchesNothingIsReportedAndLeftOut) {
  takePrinted();
  add("gfx\\missing_FRAME00.tga");
  EXPECT_NE(takePrinted().find("missing_FRAME00"), std::string::npos);
  EXPECT_EQ(run("ObjectsCount"), "\nObjectsCount is 0");
}

// ---- Animation --------------------------------------------------------------------------

TEST_F(LevelObjectTest, AnAnimationChangesAtMostOneFramePerStep) {
  struct Case {
    float speed, dt;
    int steps;
    int32_t frame;
  };
  for (const Case& c : {Case{10, 0.25f, 1, 1}, Case{10, 0.25f, 3, 3}, Case{8, 0.0625f, 1, 0},
                        Case{8, 0.0625f, 2, 1}, Case{-8, 0.0625f, 4, 2}, Case{10, 1.0f, 9, 1},
                        Case{0, 1.0f, 3, 0}}) {
    startWithSpeed(c.speed);
    LevelObject& object = addAnimation();
    steps(c.steps, c.dt);
    EXPECT_EQ(object.frame, c.frame) << c.speed << " fps, " << c.steps << " x " << c.dt;
  }
}

TEST_F(LevelObjectTest, AStoppedAnimationStaysWhereItIs) {
  LevelObject& object = addAnimation();
  steps(2, 0.25f);
  object.stopped = true;
  steps(3, 0.25f);
  EXPECT_EQ(object.frame, 2);
}

TEST_F(LevelObjectTest, AnAnimationPlayedNTimesRestsOnItsLastFrame) {
  for (int32_t playCount : {1, 2}) {
    startWithSpeed(10.0f);
    LevelObject& object = addAnimation();
    object.playCount = playCount;
    steps(8 * playCount - 1, 0.25f);
    EXPECT_FALSE(object.stopped) << playCount;
    steps(1, 0.25f);
    EXPECT_TRUE(object.stopped) << playCount;
    EXPECT_EQ(object.frame, 7);
    EXPECT_EQ(object.playsDone, 0);
    steps(5, 0.25f);
    EXPECT_EQ(object.frame, 7) << "it stays until a trigger plays it again";
  }
}

TEST_F(LevelObjectTest, ARestartStopsEveryAnimationOnItsFirstFrame) {
  LevelObject& object = addAnimation();
  object.playCount = 3;
  steps(11, 0.25f);
  object.offset = {5, 5};
  object.enabled = false;
  run("ObjectsCull false");
  level_objects::resetObjects();
  EXPECT_EQ(object.frame, 0);
  EXPECT_EQ(object.frameTime, 0.0f);
  EXPECT_EQ(object.playsDone, 0);
  EXPECT_EQ(object.offset, (Vec2{0, 0}));
  EXPECT_TRUE(object.stopped);
  EXPECT_TRUE(object.enabled);
  EXPECT_EQ(run("ObjectsCull"), "\nObjectsCull is true");
  steps(4, 0.25f);
  EXPECT_EQ(object.frame, 0);
}

// ---- Culling and queueing ---------------------------------------------------------------

TEST_F(LevelObjectTest, TheCullSquareReachesFiveHundredAndTwentyUnitsTouchingIncluded) {
  // box.tga is 40 wide and 20 high: its edge touches the square at 540 across, 530 down.
  struct Case {
    Vec2 position;
    size_t queued;
  };
  for (const Case& c : {Case{{540, 0}, 1}, Case{{541, 0}, 0}, Case{{-540, 0}, 1},
                        Case{{0, 530}, 1}, Case{{0, -531}, 0}, Case{{560, 560}, 0}}) {
    level_objects::initialise();
    add("gfx\\box.tga", c.position);
    EXPECT_EQ(queued(), c.queued) << c.position.x << ", " << c.position.y;
  }
  run("ObjectsCull false");
  EXPECT_EQ(queued(), 1u) << "without culling every enabled object is queued";
}

TEST_F(LevelObjectTest, TheCullFollowsTheMoverOffset) {
  LevelObject& object = add("gfx\\box.tga", {600, 0});
  EXPECT_EQ(queued(), 0u);
  object.offset = {-60, 0};
  EXPECT_EQ(queued(), 1u);
}

TEST_F(LevelObjectTest, ADisabledObjectIsNeverQueued) {
  add("gfx\\box.tga").enabled = false;
  addAnimation().enabled = false;
  for (const char* cull : {"ObjectsCull true", "ObjectsCull false"}) {
    run(cull);
    EXPECT_EQ(queued(), 0u) << cull;
  }
  for (LevelObject& object : stillObjects()) object.enabled = true;
  EXPECT_EQ(queued(), 1u);
}

TEST_F(LevelObjectTest, ObjectsGoIntoTheQueueOfTheirLayer) {
  for (int32_t layer : {0, 1, 4}) add("gfx\\box.tga", {}, layer);
  level_objects::cullAndQueue();
  for (int32_t layer = 0; layer < level_objects::kLayerCount; ++layer) {
    const bool used = layer == 0 || layer == 1 || layer == 4;
    EXPECT_EQ(level_objects::layerQueue(layer).size(), used ? 1u : 0u) << layer;
    level_objects::clearLayerQueue(layer);
  }
  run("ObjectsDraw false");
  EXPECT_EQ(queued(0), 0u);
}

// ---- Console ----------------------------------------------------------------------------

TEST_F(LevelObjectTest, ObjectCreateTakesFourWordsOfTheRightKinds) {
  const std::string usage =
      "\nUSAGE: ObjectCreate < x : number > < y : number > < object id : integer > "
      "< textureName : string >";
  for (const char* line : {"ObjectCreate 1 2 3", "ObjectCreate 1 2 3.5 gfx\\box.tga",
                           "ObjectCreate 1 2 3 gfx\\box.tga more"})
    EXPECT_EQ(run(line), usage) << line;
  run("ObjectCreate 10 -20 7 gfx\\box.tga");
  run("ObjectCreate 0 0 8 gfx\\anim_FRAME00.tga");
  EXPECT_EQ(run("ObjectsCount"), "\nObjectsCount is 2");
  ASSERT_EQ(stillObjects().size(), 1u);
  EXPECT_EQ(stillObjects().front().position, (Vec2{10, -20}));
  EXPECT_EQ(stillObjects().front().id, 7u);
  EXPECT_EQ(animatedObjects().front().frameCount, 8);
}

}  // namespace
