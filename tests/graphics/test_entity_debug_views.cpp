// The triggers' and the ice groups' debug overlays in world coordinates (one unit per pixel).

#include <gtest/gtest.h>

#include "common/command_registry.h"
#include "game/entities/triggers.h"
#include "game/entities/triggers_draw.h"
#include "game/platform/gl_state.h"
#include "game/water/grouped_particle_mover.h"
#include "game/water/grouped_particle_mover_draw.h"
#include "graphics/debug_view_test_support.h"

namespace {

class EntityDebugViewTest : public DebugViewTest {
 protected:
  void SetUp() override {
    DebugViewTest::SetUp();
    triggers::initialise();
    grouped_particle_mover::initialise();
    centreOnPixels();
  }
  void TearDown() override {
    grouped_particle_mover::shutdown();
    triggers::shutdown();
    DebugViewTest::TearDown();
  }

  static void addSquareTrigger() {
    triggers::addTrigger(801, 3, 0.0f, {100, 100}, {200, 100}, {200, 200}, {100, 200});
  }
  static void addGroup(Vec2 centre, float radius) {
    ParticleGroup& group = grouped_particle_mover::groupList().emplace_back();
    group.centre = centre;
    group.radius = radius;
  }
};

TEST_F(EntityDebugViewTest, WithTheFlagsOffNothingIsDrawn) {
  addSquareTrigger();
  addGroup({400, 300}, 50);
  triggers::drawTriggers();
  grouped_particle_mover::drawGroups();
  EXPECT_EQ(countLitPixels(), 0);
}

TEST_F(EntityDebugViewTest, TriggerAreasAreOutlinedTriangleByTriangleAndLabelledAtTheCentre) {
  addSquareTrigger();
  console::execute("TriggerDraw 1");
  triggers::drawTriggers();
  // Triangles (1, 2, 3) and (3, 4, 1): the four sides and the diagonal from 3 back to 1.
  EXPECT_TRUE(looksLike(pixelAt(150, 100), kWhite));
  EXPECT_TRUE(looksLike(pixelAt(200, 130), kWhite));
  EXPECT_TRUE(looksLike(pixelAt(120, 200), kWhite));
  EXPECT_TRUE(colourAround(125, 125, kWhite));
  EXPECT_TRUE(looksLike(pixelAt(175, 125), kBlack));
  // "id: 3 name: Level_end_a " from the mean of the six corners, (150, 150).
  EXPECT_TRUE(looksLike(pixelAt(154, 154), glyphColour('i')));
  EXPECT_TRUE(looksLike(pixelAt(162, 154), glyphColour('d')));
  EXPECT_TRUE(looksLike(pixelAt(186, 154), glyphColour('3')));
  EXPECT_TRUE(looksLike(pixelAt(154 + 12 * 8, 154), glyphColour('L')));
}

TEST_F(EntityDebugViewTest, IceGroupsAreRedCirclesOfTheirCurrentRadius) {
  addGroup({400, 300}, 50);
  addGroup({150, 450}, 10);
  console::execute("ParticleGroupDraw 1");
  grouped_particle_mover::drawGroups();
  EXPECT_TRUE(colourAround(450, 300, kRed));
  EXPECT_TRUE(colourAround(350, 300, kRed));
  EXPECT_TRUE(colourAround(400, 250, kRed));
  EXPECT_TRUE(colourAround(400, 350, kRed));
  EXPECT_TRUE(colourAround(435, 335, kRed));  // 45 degrees: 50 / sqrt(2) out
  EXPECT_TRUE(looksLike(pixelAt(400, 300), kBlack));
  EXPECT_TRUE(looksLike(pixelAt(455, 300), kBlack));
  EXPECT_TRUE(colourAround(160, 450, kRed));
  EXPECT_TRUE(looksLike(pixelAt(150, 450), kBlack));

  console::execute("ParticleGroupDraw 0");
  gl_state::clearScreen(0.0f, 0.0f, 0.0f);
  grouped_particle_mover::drawGroups();
  EXPECT_EQ(countLitPixels(), 0);
}

}  // namespace
