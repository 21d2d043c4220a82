// The level's debug overlays in world coordinates (here one world unit per pixel): the
// collision tree's four views, the triangle view, the movers' and the forces' markers.

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/command_registry.h"
#include "game/console/console.h"
#include "game/entities/movers.h"
#include "game/entities/movers_draw.h"
#include "game/level/collision_tree.h"
#include "game/level/collision_tree_draw.h"
#include "game/level/forces.h"
#include "game/level/forces_draw.h"
#include "game/level/level_data.h"
#include "game/level/level_debug_draw.h"
#include "game/level/polygon.h"
#include "game/platform/gl_state.h"
#include "graphics/debug_view_test_support.h"

namespace {

// One stone square from (100, 100) to (200, 200), and a platform of id 7 at (400, 450) that a
// mover carries along its path from (400, 100) to (600, 100).
constexpr const char* kSquareLevel = R"({
  "waterStart": [150, 50], "cameraStart": [150, 50],
  "polygons": [
    {"surface": "stone", "layer": 2, "points": [[100, 100], [200, 100], [200, 200], [100, 200]]},
    {"id": 7, "surface": "metal", "layer": 2,
     "points": [[400, 450], [500, 450], [500, 490], [400, 490]]}
  ],
  "movers": [{"id": 7, "speed": 20, "start": [400, 100], "end": [600, 100]}]
})";

class LevelDebugViewTest : public DebugViewTest {
 protected:
  void SetUp() override {
    DebugViewTest::SetUp();
    loadLevel(kSquareLevel);
    gl_state::clearScreen(0.0f, 0.0f, 0.0f);
    centreOnPixels();
  }

  static void drawAll() {
    level::drawLevelDebug();
    forces::drawForces();
    movers::drawMoverDebug();
  }
};

TEST_F(LevelDebugViewTest, EveryViewWithItsFlagOffDrawsNothing) {
  forces::addForce(1, 300, 300, 1, 0, 1.0f);
  drawAll();
  EXPECT_EQ(countLitPixels(), 0);
}

TEST_F(LevelDebugViewTest, TriangleViewDrawsRedEdgesWhereThePolygonStandsNow) {
  level::levelPolygons().front().offset = {300.0f, 200.0f};
  console::execute("DrawTriangles 1");
  ASSERT_TRUE(level::drawTriangles());
  level::drawLevelDebug();
  // Moved to (400, 300)..(500, 400): its outline and its diagonal through the centre.
  EXPECT_TRUE(looksLike(pixelAt(450, 300), kRed));
  EXPECT_TRUE(looksLike(pixelAt(400, 350), kRed));
  EXPECT_TRUE(colourAround(450, 350, kRed));
  // Nothing where the square stood unmoved.
  EXPECT_TRUE(looksLike(pixelAt(150, 100), kBlack));
  EXPECT_TRUE(looksLike(pixelAt(100, 150), kBlack));
}

TEST_F(LevelDebugViewTest, NodeViewDrawsActiveEdgesGreenWithBlueNormalsIntoTheSolid) {
  console::execute("BspNodeDraw 1");
  level::drawLevelDebug();
  EXPECT_TRUE(looksLike(pixelAt(125, 100), kGreen));
  EXPECT_TRUE(looksLike(pixelAt(200, 175), kGreen));
  // Each normal mark runs 8 units from the edge's middle into the square.
  EXPECT_TRUE(looksLike(pixelAt(150, 104), kBlue));
  EXPECT_TRUE(looksLike(pixelAt(196, 150), kBlue));
  EXPECT_TRUE(looksLike(pixelAt(150, 96), kBlack));
  EXPECT_TRUE(looksLike(pixelAt(150, 112), kBlack));
  // End points are white 2-pixel points.
  EXPECT_TRUE(colourAround(100, 100, kWhite));
}

TEST_F(LevelDebugViewTest, NodeViewDrawsSwitchedOffEdgesRed) {
  level::setPolygonSolid(level::levelPolygons().front(), false);
  console::execute("BspNodeDraw 1");
  level::drawLevelDebug();
  EXPECT_TRUE(looksLike(pixelAt(125, 100), kRed));
  EXPECT_TRUE(looksLike(pixelAt(100, 125), kRed));
}

TEST_F(LevelDebugViewTest, SplitViewDrawsEachSplittingLineAcrossTheWholeWorld) {
  gl_state::clearScreen(1.0f, 1.0f, 1.0f);
  console::execute("BspSplitDraw 1");
  level::drawLevelDebug();
  // The lines of the top and left edges reach the window's sides in black.
  EXPECT_TRUE(looksLike(pixelAt(750, 100), kBlack));
  EXPECT_TRUE(looksLike(pixelAt(100, 550), kBlack));
  EXPECT_TRUE(looksLike(pixelAt(150, 104), kRed));
  EXPECT_TRUE(looksLike(pixelAt(700, 400), kWhite));
}

TEST_F(LevelDebugViewTest, WalkViewMarksTheWalkNodeInYellow) {
  console::execute("BspWalkDraw 1");
  const collision::DebugView view = collision::debugView();
  ASSERT_NE(view.walkNode, nullptr);
  level::drawLevelDebug();
  const Vec2 quarter = view.walkNode->start + (view.walkNode->end - view.walkNode->start) * 0.25f;
  EXPECT_TRUE(colourAround(int32_t(quarter.x), int32_t(quarter.y), kYellow));
  const Vec2 middle = (view.walkNode->start + view.walkNode->end) * 0.5f;
  const Vec2 mark = middle + view.walkNode->normal * 5.0f;
  EXPECT_TRUE(colourAround(int32_t(mark.x), int32_t(mark.y), kBlue));
}

TEST_F(LevelDebugViewTest, CastViewDrawsTheLastRaysUpToTheWallsTheyHit) {
  console::execute("BspCast 150 150");
  console::execute("BspCastDraw 1");
  level::drawLevelDebug();
  // Rays in every direction from inside the square, each ending on the wall it hits.
  const std::vector<Rgba> frame = readFrame();
  int32_t inside = 0, outside = 0;
  for (int32_t y = 0; y < 600; ++y) {
    for (int32_t x = 0; x < 800; ++x) {
      if (!looksLike(frame[size_t(y) * 800 + size_t(x)], kYellow)) continue;
      const bool inSquare = x >= 98 && x <= 202 && y >= 98 && y <= 202;
      ++(inSquare ? inside : outside);
    }
  }
  EXPECT_TRUE(looksLike(pixelAt(150, 150), kYellow));
  EXPECT_GT(inside, 1000);
  EXPECT_EQ(outside, 0);
}

TEST_F(LevelDebugViewTest, ViewsAreLaidOverEachOtherInTheirOrder) {
  gl_state::clearScreen(1.0f, 1.0f, 1.0f);
  for (const char* flag : {"BspSplitDraw", "BspWalkDraw", "BspNodeDraw", "DrawTriangles"}) {
    console::execute(std::string(flag) + " 1");
  }
  const collision::DebugView view = collision::debugView();
  ASSERT_NE(view.walkNode, nullptr);
  level::drawLevelDebug();
  // The triangles come last and cover every edge; the node view covers the walk node's
  // middle line, leaving its outer rows yellow; the split lines show only beyond the edges.
  const Vec2 quarter = view.walkNode->start + (view.walkNode->end - view.walkNode->start) * 0.25f;
  const Vec2 outside = quarter - view.walkNode->normal;
  EXPECT_TRUE(looksLike(pixelAt(int32_t(quarter.x), int32_t(quarter.y)), kRed));
  EXPECT_TRUE(looksLike(pixelAt(int32_t(outside.x), int32_t(outside.y)), kYellow));
  EXPECT_TRUE(looksLike(pixelAt(125, 100), kRed));
  EXPECT_TRUE(looksLike(pixelAt(100, 175), kRed));
  EXPECT_TRUE(looksLike(pixelAt(300, 100), kBlack));

  // Without the triangles the node view's green is on top.
  console::execute("DrawTriangles 0");
  level::drawLevelDebug();
  EXPECT_TRUE(looksLike(pixelAt(int32_t(quarter.x), int32_t(quarter.y)), kGreen));
}

TEST_F(LevelDebugViewTest, ForceViewDrawsArrowsInTheirStateColoursWithLabels) {
  forces::addForce(3, 100, 300, 1, 0, 1.5f);
  forces::addForce(4, 400, 300, 0, 1, 2.0f);
  forces::forceList().back().active = false;
  console::execute("ForceDraw 1");
  forces::drawForces();
  // Active, pointing along +x: shaft to (132, 300), head strokes back to (124, 292), (124, 308).
  EXPECT_TRUE(looksLike(pixelAt(116, 300), kGreen));
  EXPECT_TRUE(colourAround(128, 296, kGreen));
  EXPECT_TRUE(colourAround(128, 304, kGreen));
  EXPECT_TRUE(looksLike(pixelAt(140, 300), kBlack));
  // Switched off, pointing along +y.
  EXPECT_TRUE(looksLike(pixelAt(400, 316), kRed));
  // The labels start 40 units below the force: "Id: 3 , ...", 8-pixel glyphs in white.
  EXPECT_TRUE(looksLike(pixelAt(104, 344), glyphColour('I')));
  EXPECT_TRUE(looksLike(pixelAt(112, 344), glyphColour('d')));
  EXPECT_TRUE(looksLike(pixelAt(136, 344), glyphColour('3')));
}

TEST_F(LevelDebugViewTest, MoverViewDrawsThePathItsEndsAndItsLabel) {
  console::execute("MoverDraw 1");
  movers::drawMoverDebug();
  EXPECT_TRUE(looksLike(pixelAt(500, 100), kWhite));
  EXPECT_TRUE(looksLike(pixelAt(400, 99), kGreen));
  EXPECT_TRUE(looksLike(pixelAt(600, 101), kGreen));
  // The label at start - direction x 8 = (392, 100).
  EXPECT_TRUE(looksLike(pixelAt(394, 106), glyphColour('I')));
  EXPECT_TRUE(looksLike(pixelAt(402, 106), glyphColour('d')));
}

TEST_F(LevelDebugViewTest, DynamicNodeViewDrawsTheCarriedEdgesWhereTheyStandNow) {
  ASSERT_EQ(movers::movingPolygons().size(), 1u);
  Polygon& platform = *movers::movingPolygons().front().polygon;
  platform.offset = {100.0f, 0.0f};
  console::execute("DynamicNodeDraw 1");
  movers::drawMoverDebug();
  // The platform from (500, 450) to (600, 490) now; the top edge's normal points down.
  EXPECT_TRUE(looksLike(pixelAt(520, 450), kGreen));
  EXPECT_TRUE(looksLike(pixelAt(450, 450), kBlack));
  EXPECT_TRUE(colourAround(550, 455, kBlue));

  gl_state::clearScreen(0.0f, 0.0f, 0.0f);
  platform.solid = false;
  movers::drawMoverDebug();
  EXPECT_TRUE(looksLike(pixelAt(520, 450), kRed));
}

TEST_F(LevelDebugViewTest, OverlaysLeaveTheStateAsTheyFoundIt) {
  glEnable(GL_TEXTURE_2D);
  glColor4f(0.25f, 0.5f, 0.75f, 1.0f);
  console::execute("BspNodeDraw 1");
  console::execute("DrawTriangles 1");
  console::execute("ForceDraw 1");
  console::execute("MoverDraw 1");
  forces::addForce(1, 300, 300, 1, 0, 1.0f);
  drawAll();
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  GLfloat colour[4] = {};
  glGetFloatv(GL_CURRENT_COLOR, colour);
  EXPECT_FLOAT_EQ(colour[1], 0.5f);
  glDisable(GL_TEXTURE_2D);
}

}  // namespace
