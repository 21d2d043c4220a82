#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "console/console_test_support.h"
#include "game/entities/level_objects.h"
#include "game/world/camera.h"

namespace {

using level_objects::animatedObjects;
using level_objects::stillObjects;

// A 32-bit Targa picture; the texture manager reads its size even without a window.
std::string tgaBytes(char width, char height) {
  const char header[18] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, width, 0, height, 0, 32, 8};
  return std::string(header, 18) + std::string(size_t(width) * size_t(height) * 4, '\x7F');
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

TEST_F(LevelObjectTest, FrameSetsResolveInListingOrderAndPickTheList) {
  add("gfx\\box.tga");
  const LevelObject& animation = add("gfx\\ANIM_frame05.tga");
  takePrinted();
  add("gfx\\missing_FRAME00.tga");
  EXPECT_NE(takePrinted().find("missing_FRAME00"), std::string::npos);
  ASSERT_EQ(animatedObjects().size(), 1u) << "a frame set that matches nothing is left out";
  ASSERT_EQ(animation.frameCount, 8);
  EXPECT_EQ(animation.frames.front().name(), "gfx\\anim_FRAME00.tga");
  EXPECT_EQ(animation.frames.back().name(), "gfx\\anim_FRAME07.tga");
}

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

TEST_F(LevelObjectTest, AnAnimationPlayedNTimesRestsOnItsLastFrame) {
  for (int32_t playCount : {1, 2}) {
    LevelObject& object = addAnimation();
    object.playCount = playCount;
    steps(8 * playCount - 1, 0.25f);
    EXPECT_FALSE(object.stopped) << playCount;
    steps(6, 0.25f);  // it stays until a trigger plays it again
    EXPECT_TRUE(object.stopped) << playCount;
    EXPECT_EQ(object.frame, 7) << playCount;
  }
}

TEST_F(LevelObjectTest, ARestartStopsEveryAnimationOnItsFirstFrame) {
  LevelObject& object = addAnimation();
  object.playCount = 3;
  steps(11, 0.25f);
  object.offset = {5, 5};
  object.enabled = false;
  level_objects::resetObjects();
  EXPECT_EQ(object.frame + object.playsDone, 0);
  EXPECT_EQ(object.frameTime, 0.0f);
  EXPECT_EQ(object.offset, (Vec2{0, 0}));
  EXPECT_TRUE(object.stopped && object.enabled);
  steps(4, 0.25f);
  EXPECT_EQ(object.frame, 0);
}

TEST_F(LevelObjectTest, TheCullSquareReachesFiveHundredAndTwentyUnitsTouchingIncluded) {
  // box.tga is 40 wide and 20 high: its edge touches the square at 540 across, 530 down.
  for (Vec2 position :
       {Vec2{540, 0}, Vec2{-540, 0}, Vec2{0, 530}, Vec2{541, 0}, Vec2{0, -531}, Vec2{560, 560}}) {
    level_objects::initialise();
    add("gfx\\box.tga", position);
    const bool touches = std::abs(position.x) <= 540 && std::abs(position.y) <= 530;
    EXPECT_EQ(queued(), touches ? 1u : 0u) << position.x << ", " << position.y;
  }
  run("ObjectsCull false");
  EXPECT_EQ(queued(), 1u) << "without culling every enabled object is queued";
}

TEST_F(LevelObjectTest, ADisabledObjectIsNeverQueued) {
  add("gfx\\box.tga").enabled = false;
  addAnimation().enabled = false;
  for (const char* cull : {"ObjectsCull true", "ObjectsCull false"}) {
    run(cull);
    EXPECT_EQ(queued(), 0u) << cull;
  }
  stillObjects().front().enabled = true;
  stillObjects().front().layer = 4;
  EXPECT_EQ(queued(2), 0u);
  EXPECT_EQ(queued(4), 1u);
  run("ObjectsDraw false");
  EXPECT_EQ(queued(4), 0u);
}

TEST_F(LevelObjectTest, ObjectCreateTakesFourWordsOfTheRightKinds) {
  EXPECT_EQ(run("ObjectCreate 1 2 3"),
            "\nUSAGE: ObjectCreate < x : number > < y : number > < object id : integer > "
            "< textureName : string >");
  run("ObjectCreate 10 -20 7 gfx\\box.tga");
  run("ObjectCreate 0 0 8 gfx\\anim_FRAME00.tga");
  EXPECT_EQ(run("ObjectsCount"), "\nObjectsCount is 2");
  EXPECT_EQ(stillObjects().front().position, (Vec2{10, -20}));
}

}  // namespace
