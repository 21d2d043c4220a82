#include <gtest/gtest.h>

#include "game/console/console.h"
#include "game/level/collision_tree.h"
#include "game/level/level_data.h"
#include "game/simulation/level_loading.h"
#include "level/level_test_support.h"

using namespace level_file;

namespace {

class LevelDataTest : public LevelTest {
 protected:
  bool loadLevel(const LevelFileContents& level, const std::string& name = "lev\\a.swah") {
    return level::loadLevel(writeLevel(name, level));
  }
  Polygon& polygon(size_t index) { return *std::next(level::levelPolygons().begin(), index); }
  std::string consoleValue(const std::string& name) {
    takePrinted();
    console::execute(name);
    return takePrinted();
  }
};

// A floor square with a second square far to the right; circles dropped onto the floor.
LevelFileContents floorLevel() {
  return compiledLevel(R"({
    "waterStart": [50, -20], "cameraStart": [50, -20],
    "polygons": [
      {"surface": "stone", "layer": 2, "points": [[0, 0], [100, 0], [100, 100], [0, 100]]},
      {"surface": "stone", "layer": 2, "points": [[300, 0], [400, 0], [400, 100], [300, 100]]}
    ]
  })");
}

bool touchesFloorFromAbove() {
  Vec2 centre{50.0f, -1.0f};
  return collision::collideCircle(centre, 2.0f);
}

TEST_F(LevelDataTest, FrictionComesFromTheSurfaceTableClampedToOne) {
  data_.write(
      "cfg/surfaces.cfg",
      "surfaceFriction_metal = 0.5 surfaceFriction_stone = 1.7 surfaceFriction_sand = -0.2");
  level::loadSurfaces();
  EXPECT_EQ(level::surfaceFriction(1), 0.5f);
  EXPECT_EQ(level::surfaceFriction(3), 1.0f);
  EXPECT_EQ(level::surfaceFriction(5), 0.0f);
  EXPECT_EQ(level::surfaceFriction(2), 0.0f) << "a missing key reads as 0";
  EXPECT_EQ(level::surfaceFriction(6), 1.0f);
  LevelFileContents level;
  level.polygons.push_back(squareRecord(0, 0, 10, 1));
  ASSERT_TRUE(loadLevel(level));
  // The table as it was at loading time stays with the polygon.
  data_.write("cfg/surfaces.cfg", "surfaceFriction_metal = 0.9");
  level::loadSurfaces();
  EXPECT_EQ(polygon(0).friction(), 0.5f);
}

TEST_F(LevelDataTest, MoverAndSwitchTargetsAreMarked) {
  LevelFileContents level;
  for (uint32_t id : {4u, 4u, 5u, 6u}) {
    level.polygons.push_back(squareRecord(int32_t(level.polygons.size()) * 200, 0, 50));
    level.polygons.back().id = id;
  }
  level.movers.push_back({4, 10.0f, {0, 0}, {0, 100}});
  level.triggers.push_back({5, 300, 0.0f, {}});  // Entity_remove_1, never fired
  level.triggers.push_back({6, 0, 0.0f, {}});    // a water type names no switch target
  ASSERT_TRUE(loadLevel(level));
  EXPECT_TRUE(polygon(0).moving && polygon(1).moving);
  EXPECT_FALSE(polygon(2).moving);
  EXPECT_TRUE(polygon(2).switchable);
  EXPECT_FALSE(polygon(3).switchable);
  // Moving polygons collide through the movers, not the tree.
  EXPECT_EQ(level::polygonEdges(polygon(0)), nullptr);
  ASSERT_NE(level::polygonEdges(polygon(2)), nullptr);
  EXPECT_EQ(level::polygonEdges(polygon(2))->size(), 4u);
}

TEST_F(LevelDataTest, ARemovedWallCollidesAgainAfterARestart) {
  ASSERT_TRUE(loadLevel(floorLevel()));
  ASSERT_TRUE(touchesFloorFromAbove());
  level::setPolygonSolid(polygon(0), false);
  polygon(0).enabled = false;
  polygon(0).offset = {3, 4};
  EXPECT_FALSE(touchesFloorFromAbove());
  level::restartLevel();
  EXPECT_TRUE(touchesFloorFromAbove());
  EXPECT_TRUE(polygon(0).enabled);
  EXPECT_EQ(polygon(0).offset, (Vec2{}));
}

TEST_F(LevelDataTest, DrawTrianglesLivesWithTheLoadedLevel) {
  EXPECT_NE(consoleValue("DrawTriangles").find("UNKNOWN COMMAND"), std::string::npos);
  ASSERT_TRUE(loadLevel(floorLevel()));
  console::execute("DrawTriangles true");
  EXPECT_TRUE(level::drawTriangles());
  level::restartLevel();
  EXPECT_FALSE(level::drawTriangles());
  console::execute("DrawTriangles true");
  ASSERT_TRUE(loadLevel(floorLevel(), "lev\\b.swah"));
  EXPECT_FALSE(level::drawTriangles());
  level::clearLevel();
  EXPECT_NE(consoleValue("DrawTriangles").find("UNKNOWN COMMAND"), std::string::npos);
}

TEST_F(LevelDataTest, AFailedLoadLeavesTheFirstLevelFullyPlayable) {
  ASSERT_TRUE(loadLevel(floorLevel()));
  console::execute("DrawTriangles true");
  const std::vector<CollisionEdge*>* edges = level::polygonEdges(polygon(0));
  std::vector<uint8_t> broken = writeLevelFile(floorLevel());
  broken.resize(broken.size() - 1);
  EXPECT_FALSE(level::loadLevel(writeBytes("lev\\broken.swah", broken)));
  LevelFileContents badSurface = floorLevel();
  badSurface.polygons[1].surface = 9;
  EXPECT_FALSE(loadLevel(badSurface, "lev\\bad.swah"));
  EXPECT_EQ(level::levelPolygons().size(), 2u);
  EXPECT_EQ(level::polygonEdges(polygon(0)), edges);
  EXPECT_TRUE(touchesFloorFromAbove());
  EXPECT_TRUE(level::drawTriangles());
  EXPECT_NE(consoleValue("DrawTriangles").find("true"), std::string::npos);
}

TEST_F(LevelDataTest, ALevelWithoutPolygonsHasNoTreeAndNoAssociation) {
  ASSERT_TRUE(loadLevel(floorLevel()));
  ASSERT_TRUE(loadLevel(LevelFileContents{}, "lev\\empty.swah"));
  EXPECT_TRUE(level::levelPolygons().empty());
  std::vector<CollisionEdge*> edges;
  collision::collectEdges(edges);
  EXPECT_TRUE(edges.empty());
  EXPECT_FALSE(touchesFloorFromAbove());
}

TEST_F(LevelDataTest, TheAssociationHoldsEveryTreeEdgeOnce) {
  ASSERT_TRUE(loadLevel(richLevel()));
  std::vector<CollisionEdge*> edges;
  collision::collectEdges(edges);
  size_t associated = 0;
  for (const Polygon& p : level::levelPolygons())
    if (auto* list = level::polygonEdges(p)) {
      associated += list->size();
      for (const CollisionEdge* e : *list) EXPECT_EQ(e->polygon, &p);
    }
  EXPECT_EQ(associated, edges.size());
}

}  // namespace
