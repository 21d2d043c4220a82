#include <gtest/gtest.h>

#include "console/console_test_support.h"
#include "game/level/forces.h"

namespace {

using forces::forceList;

class ForceTest : public ConsoleTest {
 protected:
  void SetUp() override {
    ConsoleTest::SetUp();
    forces::initialise();
  }
  void TearDown() override {
    forces::shutdown();
    ConsoleTest::TearDown();
  }
  std::string run(const std::string& line) {
    takePrinted();
    console::execute(line);
    return takePrinted();
  }

  static constexpr const char* kUsage =
      "\nUSAGE: MoveForceCreate  < id : integer > < x : number > < y : number > "
      "< dir_x : number > < dir_y : number > < strenght : number >";
};

TEST_F(ForceTest, ForceCreateTakesTheStrengthAsGiven) {
  run("ForceCreate 3 10 -20 0 4 1.5");
  ASSERT_EQ(forceList().size(), 1u);
  const Force& f = forceList().front();
  EXPECT_EQ(f.id, 3u);
  EXPECT_EQ(f.position, (Vec2{10, -20}));
  EXPECT_EQ(f.direction, (Vec2{0, 1}));
  EXPECT_EQ(f.strength, 1.5f);
  EXPECT_TRUE(f.active);
}

TEST_F(ForceTest, AForceWithoutDirectionPointsAlongX) {
  run("ForceCreate 3 0 0 0 0 1");
  ASSERT_EQ(forceList().size(), 1u);
  EXPECT_EQ(forceList().front().direction, (Vec2{1, 0}));
}

TEST_F(ForceTest, ForceCreateRefusesWordsOfTheWrongKindOrNumber) {
  for (const char* line : {"ForceCreate 3.5 0 0 1 0 1", "ForceCreate 3 0 0 1 0",
                           "ForceCreate 3 0 0 1 0 1 1", "ForceCreate 3 0 0 1 z 1", "ForceCreate"})
    EXPECT_EQ(run(line), kUsage) << line;
  EXPECT_TRUE(forceList().empty());
}

TEST_F(ForceTest, CountAndDrawFlagAreConsoleEntries) {
  run("ForceCreate 1 0 0 1 0 1");
  run("ForceCreate 2 0 0 1 0 1");
  EXPECT_EQ(run("ForceCount"), "\nForceCount is 2");
  EXPECT_FALSE(forces::drawForcesFlag());
  run("ForceDraw true");
  EXPECT_TRUE(forces::drawForcesFlag());
  forces::initialise();
  EXPECT_TRUE(forceList().empty());
  EXPECT_FALSE(forces::drawForcesFlag());
  forces::shutdown();
  for (const char* name : {"ForceCount", "ForceCreate", "ForceDraw"})
    EXPECT_EQ(console::findCommand(name), nullptr) << name;
}

}  // namespace
