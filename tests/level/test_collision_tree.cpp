#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <list>
#include <random>
#include <string>
#include <vector>

#include "console/console_test_support.h"
#include "game/level/collision_tree.h"
#include "game/level/geometry.h"
#include "game/level/level_data.h"
#include "game/level/polygon.h"

namespace {

struct Box {
  float left, top, right, bottom;
};

float segmentDistance(Vec2 p, const CollisionEdge& e) {
  const float t = std::clamp(e.along(p), 0.0f, e.length);
  return distance(p, e.start + e.direction * t);
}

float nearestActiveEdge(const std::vector<CollisionEdge*>& all, Vec2 p) {
  float nearest = std::numeric_limits<float>::max();
  for (const CollisionEdge* e : all)
    if (e->active) nearest = std::min(nearest, segmentDistance(p, *e));
  return nearest;
}

// Boxes with slanted tops, so that no two of their edges are collinear.
void addSlantedBoxes(std::mt19937& random, int count) {
  std::uniform_real_distribution<float> size(3.0f, 9.0f), slant(-2.0f, 2.0f);
  for (int i = 0; i < count; ++i) {
    const float x = float(i % 8) * 12.0f, y = float(i / 8) * 12.0f;
    const float w = size(random), h = size(random);
    Polygon& p = level::levelPolygons().emplace_back();
    for (Vec2 c : {Vec2{x, y}, Vec2{x + w, y + slant(random)}, Vec2{x + w, y + h}, Vec2{x, y + h}})
      p.addPoint(c.x, c.y);
  }
}

class CollisionTreeTest : public ConsoleTest {
 protected:
  void SetUp() override {
    ConsoleTest::SetUp();
    level::levelPolygons().clear();
  }

  void TearDown() override {
    collision::destroyCollisionTree();
    level::levelPolygons().clear();
    ConsoleTest::TearDown();
  }

  static Polygon& addPolygon(const std::vector<Vec2>& points) {
    Polygon& polygon = level::levelPolygons().emplace_back();
    for (Vec2 p : points) polygon.addPoint(p.x, p.y);
    return polygon;
  }

  // Corners clockwise on screen (y down), which is winding 1.
  static Polygon& addBox(Box b) {
    return addPolygon({{b.left, b.top}, {b.right, b.top}, {b.right, b.bottom}, {b.left, b.bottom}});
  }

  static Polygon& addCutter(Box b) {
    Polygon& polygon = addBox(b);
    polygon.solid = false;
    polygon.visible = false;
    return polygon;
  }

  static std::vector<CollisionEdge*> edges() {
    std::vector<CollisionEdge*> list;
    collision::collectEdges(list);
    return list;
  }

  // Edges with both ends on the horizontal line y (or vertical line x).
  static std::vector<CollisionEdge*> edgesOnRow(float y) {
    std::vector<CollisionEdge*> found;
    for (CollisionEdge* e : edges())
      if (e->start.y == y && e->end.y == y) found.push_back(e);
    return found;
  }

  static std::vector<CollisionEdge*> edgesOnColumn(float x) {
    std::vector<CollisionEdge*> found;
    for (CollisionEdge* e : edges())
      if (e->start.x == x && e->end.x == x) found.push_back(e);
    return found;
  }

  static float lengthOf(const std::vector<CollisionEdge*>& list) {
    float sum = 0.0f;
    for (const CollisionEdge* e : list) sum += e->length;
    return sum;
  }

  // Whether any edge covers the point strictly between its ends.
  static bool covered(const std::vector<CollisionEdge*>& list, Vec2 p) {
    for (const CollisionEdge* e : list) {
      const float t = e->along(p);
      if (std::fabs(e->signedDistance(p)) < 1e-4f && t > 1e-3f && t < e->length - 1e-3f)
        return true;
    }
    return false;
  }

  std::string run(const std::string& line) {
    takePrinted();
    console::execute(line);
    return takePrinted();
  }
};

// ---- Collecting and cleaning --------------------------------------------------------------

TEST_F(CollisionTreeTest, NormalsPointIntoThePolygonForEitherWinding) {
  addBox({0, 0, 10, 10});
  addPolygon({{20, 0}, {20, 10}, {30, 10}, {30, 0}});  // the other way round: winding 0
  ASSERT_EQ(level::levelPolygons().back().windingFlag(), 0);
  collision::buildCollisionTree();
  ASSERT_EQ(edges().size(), 8u);
  for (const CollisionEdge* e : edges()) {
    const Vec2 centre = e->start.x < 15.0f ? Vec2{5, 5} : Vec2{25, 5};
    EXPECT_GT(e->signedDistance(centre), 0.0f);
    EXPECT_NEAR(length(e->direction), 1.0f, 1e-6f);
    EXPECT_EQ(e->normal.x, -e->direction.y);
    EXPECT_EQ(e->normal.y, e->direction.x);
  }
}

TEST_F(CollisionTreeTest, SkipsVisibleOnlyMovingSolidAndTooShortOutlines) {
  addBox({0, 0, 10, 10}).solid = false;  // drawn only
  addBox({20, 0, 30, 10}).moving = true;
  addPolygon({{40, 0}});
  addPolygon({{50, 0}, {50.005f, 0}, {50.005f, 0.005f}});  // every side 0.01 or shorter
  collision::buildCollisionTree();
  EXPECT_TRUE(edges().empty());
  EXPECT_EQ(collision::debugView().root, nullptr);
}

TEST_F(CollisionTreeTest, CopiesFrictionAndPolygonIntoEdges) {
  Polygon& box = addBox({0, 0, 10, 10});
  box.setFriction(0.25f);
  collision::buildCollisionTree();
  for (const CollisionEdge* e : edges()) {
    EXPECT_EQ(e->friction, 0.25f);
    EXPECT_EQ(e->polygon, &box);
    EXPECT_TRUE(e->active);
    EXPECT_FALSE(e->cutter);
  }
}

TEST_F(CollisionTreeTest, TwoSquaresSharingASideHaveNoEdgeAlongIt) {
  addBox({0, 0, 10, 10});
  addBox({10, 0, 20, 10});
  collision::buildCollisionTree();
  EXPECT_TRUE(edgesOnColumn(10).empty());
  // The top sides run on into each other and merge; the bottom pair runs the other way.
  ASSERT_EQ(edgesOnRow(0).size(), 1u);
  EXPECT_EQ(edgesOnRow(0)[0]->length, 20.0f);
  EXPECT_FLOAT_EQ(lengthOf(edges()), 60.0f);
}

TEST_F(CollisionTreeTest, SwitchablePolygonsKeepTheirSharedSides) {
  for (bool firstSwitchable : {false, true}) {
    level::levelPolygons().clear();
    addBox({0, 0, 10, 10}).switchable = firstSwitchable;
    addBox({10, 0, 20, 10}).switchable = !firstSwitchable;
    collision::buildCollisionTree();
    EXPECT_EQ(edgesOnColumn(10).size(), 2u);
    EXPECT_FLOAT_EQ(lengthOf(edges()), 80.0f);
  }
}

TEST_F(CollisionTreeTest, CutterOpensTheSharedPartOfASolidSide) {
  addBox({0, 0, 10, 10});
  addCutter({3, 10, 7, 14});
  collision::buildCollisionTree();
  const std::vector<CollisionEdge*> bottom = edgesOnRow(10);
  EXPECT_FLOAT_EQ(lengthOf(bottom), 6.0f);
  EXPECT_FALSE(covered(bottom, {5, 10}));
  EXPECT_TRUE(covered(bottom, {1, 10}));
  EXPECT_TRUE(covered(bottom, {9, 10}));
  for (const CollisionEdge* e : edges()) EXPECT_EQ(e->polygon, &level::levelPolygons().front());
  // A ray leaves through the opening and is stopped beside it.
  Vec2 through{5, 20};
  EXPECT_EQ(collision::castRay({5, 5}, through), nullptr);
  Vec2 beside{1, 20};
  EXPECT_NE(collision::castRay({1, 5}, beside), nullptr);
  EXPECT_FLOAT_EQ(beside.y, 10.0f);
}

TEST_F(CollisionTreeTest, ACutterBesideAWallLeavesTheWallWhole) {
  // The tops run straight on from the wall into the cutter: merging them would throw the
  // wall's top away with the cutter's edges. In the other list order it would stretch the
  // wall's top over the cutter.
  for (bool cutterFirst : {false, true}) {
    level::levelPolygons().clear();
    if (cutterFirst) addCutter({10, 0, 20, 10});
    Polygon& wall = addBox({0, 0, 10, 10});
    if (!cutterFirst) addCutter({10, 0, 20, 10});
    collision::buildCollisionTree();
    const std::vector<CollisionEdge*> top = edgesOnRow(0);
    ASSERT_EQ(top.size(), 1u) << "cutter first: " << cutterFirst;
    EXPECT_EQ(top[0]->start, (Vec2{0, 0}));
    EXPECT_EQ(top[0]->end, (Vec2{10, 0}));
    EXPECT_EQ(top[0]->polygon, &wall);
  }
}

TEST_F(CollisionTreeTest, FourCollinearOutlinePointsBecomeOneEdge) {
  addPolygon({{0, 0}, {2, 0}, {5, 0}, {10, 0}, {10, 10}, {0, 10}});
  collision::buildCollisionTree();
  ASSERT_EQ(edgesOnRow(0).size(), 1u);
  const CollisionEdge& top = *edgesOnRow(0)[0];
  EXPECT_EQ(top.start, (Vec2{0, 0}));
  EXPECT_EQ(top.end, (Vec2{10, 0}));
  EXPECT_EQ(top.length, 10.0f);
  EXPECT_EQ(edges().size(), 4u);
}

TEST_F(CollisionTreeTest, PartnersFarApartInTheListStillMeet) {
  std::mt19937 random(4);
  addBox({-30, 0, -20, 10});
  addSlantedBoxes(random, 40);  // 160 edges between the two
  addBox({-40, 0, -30, 10});
  collision::buildCollisionTree();
  EXPECT_TRUE(edgesOnColumn(-30).empty());
  ASSERT_EQ(edgesOnRow(10).size(), 1u);
  EXPECT_EQ(edgesOnRow(10)[0]->start, (Vec2{-20, 10}));
  EXPECT_EQ(edgesOnRow(10)[0]->end, (Vec2{-40, 10}));
}

TEST_F(CollisionTreeTest, PartlyOverlappingSidesKeepOnlyTheUncoveredPieces) {
  addBox({0, 0, 10, 10});
  addBox({10, 4, 20, 6});
  collision::buildCollisionTree();
  const std::vector<CollisionEdge*> wall = edgesOnColumn(10);
  EXPECT_FLOAT_EQ(lengthOf(wall), 8.0f);
  EXPECT_FALSE(covered(wall, {10, 5}));
  EXPECT_TRUE(covered(wall, {10, 2}));
  EXPECT_TRUE(covered(wall, {10, 8}));
  for (const CollisionEdge* e : wall) EXPECT_EQ(e->normal, (Vec2{-1, 0}));
}

// ---- Tree shape ---------------------------------------------------------------------------

// Four bars around a hole, each reaching past the next one's end, so that every side's line
// crosses another bar.
void addPinwheel(float x, float y) {
  Polygon* p = nullptr;
  for (Box b : {Box{0, 0, 14, 5}, Box{16, 0, 21, 14}, Box{7, 16, 21, 21}, Box{0, 7, 5, 21}}) {
    p = &level::levelPolygons().emplace_back();
    p->addPoint(x + b.left, y + b.top);
    p->addPoint(x + b.right, y + b.top);
    p->addPoint(x + b.right, y + b.bottom);
    p->addPoint(x + b.left, y + b.bottom);
  }
}

TEST_F(CollisionTreeTest, SplittingKeepsEveryPiece) {
  addPinwheel(0, 0);
  addPinwheel(3, 30);
  collision::buildCollisionTree();
  ASSERT_GT(edges().size(), 32u) << "the level should force splits";
  EXPECT_NEAR(lengthOf(edges()), 2 * 152.0f, 1e-3f);
  for (const CollisionEdge* e : edges()) EXPECT_GT(e->length, 0.01f);
}

// Every end point of a subtree lies on the subtree's side of its parent's line, up to the
// tolerance that keeps near misses whole.
void expectSubtreeOnSide(const CollisionEdge* node, const CollisionEdge& splitter, bool front) {
  if (!node) return;
  for (Vec2 p : {node->start, node->end}) {
    const float d = splitter.signedDistance(p);
    if (front) {
      EXPECT_GE(d, -0.1f - 1e-4f);
    } else {
      EXPECT_LT(d, 0.1f + 1e-4f);
    }
  }
  expectSubtreeOnSide(node->backChild, splitter, front);
  expectSubtreeOnSide(node->frontChild, splitter, front);
}

TEST_F(CollisionTreeTest, SubtreesLieOnTheirSideOfEachNode) {
  addPinwheel(0, 0);
  addBox({30, 2, 40, 9});
  collision::buildCollisionTree();
  const std::vector<CollisionEdge*> all = edges();
  for (const CollisionEdge* node : all) {
    expectSubtreeOnSide(node->backChild, *node, false);
    expectSubtreeOnSide(node->frontChild, *node, true);
    for (const CollisionEdge* child : {node->backChild, node->frontChild}) {
      if (child) {
        EXPECT_EQ(child->parent, node);
      }
    }
  }
  EXPECT_EQ(collision::debugView().root->parent, nullptr);
}

TEST_F(CollisionTreeTest, ConvexOutlineBecomesAChainAsDeepAsItsSides) {
  addBox({0, 0, 10, 10});
  collision::buildCollisionTree();
  EXPECT_EQ(run("BspSize"), "\nBspSize is 4");
  EXPECT_EQ(run("BspDepth"), "\nBspDepth is 4");
}

// ---- A plain build to compare with -------------------------------------------------------
// The tree's build scores blocks of edges from their bounds, in spatial order, and stops
// hopeless tallies early; the cleaning scans blocks. This build follows the same rules edge
// by edge over a std::list, and must give the same tree.
namespace plain {

CollisionEdge edge(Vec2 start, Vec2 end, const CollisionEdge& model) {
  CollisionEdge e = model;
  e.start = start;
  e.end = end;
  e.direction = normalised(end - start);
  e.normal = {-e.direction.y, e.direction.x};
  e.length = length(end - start);
  return e;
}

std::list<CollisionEdge> collect() {
  std::list<CollisionEdge> edges;
  for (Polygon& p : level::levelPolygons()) {
    const size_t n = p.pointCount();
    if (n < 2 || (!p.solid && p.visible) || (p.solid && p.moving)) continue;
    CollisionEdge model;
    model.cutter = !p.solid && !p.visible;
    model.polygon = &p;
    for (size_t i = 0; i < n; ++i) {
      const Vec2 a = p.outlinePoint(i), b = p.outlinePoint((i + 1) % n);
      const CollisionEdge e = p.windingFlag() == 1 ? edge(a, b, model) : edge(b, a, model);
      if (e.length > 0.01f) edges.push_back(e);
    }
  }
  return edges;
}

bool near(Vec2 a, Vec2 b) {
  return std::fabs(a.x - b.x) < 0.01f && std::fabs(a.y - b.y) < 0.01f;
}
bool inside(float s, float l) {
  return s > 0.01f && s < l - 0.01f;
}
bool overlaps(float s, float l) {
  return s >= 0.0001f && s < l - 0.0001f;
}

CollisionEdge piece(const CollisionEdge& e, Vec2 start, Vec2 end) {
  CollisionEdge part = e;
  part.start = start;
  part.end = end;
  part.length = distance(start, end);
  return part;
}

// Appends the pieces of x and y that the other leaves; false when they do not overlap.
bool cut(std::list<CollisionEdge>& edges, const CollisionEdge& x, const CollisionEdge& y) {
  if (std::fabs(x.signedDistance(y.start)) >= 0.01f || std::fabs(x.signedDistance(y.end)) >= 0.01f)
    return false;
  const float s1 = y.along(x.start), s2 = y.along(x.end);
  const float s3 = x.along(y.start), s4 = x.along(y.end);
  if (!overlaps(s1, y.length) && !overlaps(s2, y.length) && !overlaps(s3, x.length) &&
      !overlaps(s4, x.length))
    return false;
  if (inside(s1, y.length)) edges.push_back(piece(y, x.start, y.end));
  if (inside(s2, y.length)) edges.push_back(piece(y, y.start, x.end));
  if (inside(s3, x.length)) edges.push_back(piece(x, y.start, x.end));
  if (inside(s4, x.length)) edges.push_back(piece(x, x.start, y.end));
  return true;
}

// Whether the pair acted; the caller then drops x (and y unless it survived).
bool pair(std::list<CollisionEdge>& edges, CollisionEdge& x, CollisionEdge& y, bool& keepY) {
  keepY = false;
  if (near(x.end, y.start) && near(x.start, y.end)) return true;
  if (near(x.end, y.start) && dot(x.direction, y.direction) > 0.9999f && x.cutter == y.cutter) {
    y.start = x.start;
    y.length += x.length;
    keepY = true;
    return true;
  }
  return cut(edges, x, y);
}

std::vector<CollisionEdge> clean(std::list<CollisionEdge> edges) {
  auto switchable = [](const CollisionEdge& e) { return e.polygon->switchable; };
  for (auto o = edges.begin(); o != edges.end();) {
    auto i = std::next(o);
    bool keepY = false;
    while (i != edges.end() && (switchable(*o) || switchable(*i) || !pair(edges, *o, *i, keepY)))
      ++i;
    if (i == edges.end()) {
      ++o;
      continue;
    }
    if (!keepY) edges.erase(i);
    o = edges.erase(o);
  }
  std::vector<CollisionEdge> kept;
  for (const CollisionEdge& e : edges)
    if (!e.cutter) kept.push_back(e);
  return kept;
}

int32_t score(const std::vector<CollisionEdge>& list, size_t k, bool withSelf) {
  int32_t front = 0, behind = 0, split = 0;
  for (size_t i = 0; i < list.size(); ++i) {
    if (i == k && !withSelf) continue;
    const float d1 = list[k].signedDistance(list[i].start);
    const float d2 = list[k].signedDistance(list[i].end);
    if (d1 < 0.0f && d2 < 0.0f) {
      ++behind;
    } else if (d1 >= 0.0f && d2 >= 0.0f) {
      ++front;
    } else {
      ++split;
    }
  }
  return std::abs(front - behind) + split;
}

size_t choose(const std::vector<CollisionEdge>& list) {
  size_t best = 0;
  int32_t bestScore = score(list, 0, true);
  for (size_t k = 0; k < list.size(); ++k) {
    const int32_t s = score(list, k, false);
    if (s < bestScore) {
      bestScore = s;
      best = k;
    }
  }
  return best;
}

void addPiece(const CollisionEdge& s, Vec2 a, Vec2 b, std::vector<CollisionEdge>& to) {
  CollisionEdge model;
  model.polygon = s.polygon;
  const CollisionEdge e = edge(a, b, model);
  if (e.length > 0.01f) to.push_back(e);
}

// The subtree in order (back, node, front) as (start, end, depth) rows.
struct Row {
  Vec2 start, end;
  int depth;
  bool operator==(const Row&) const = default;
};

void build(std::vector<CollisionEdge> list, int depth, std::vector<Row>& rows) {
  if (list.empty()) return;
  const size_t k = choose(list);
  const CollisionEdge p = list[k];
  list.erase(list.begin() + std::ptrdiff_t(k));
  std::vector<CollisionEdge> back, front;
  for (const CollisionEdge& s : list) {
    const float d1 = p.signedDistance(s.start), d2 = p.signedDistance(s.end);
    if (d1 >= 0.0f && d2 >= -0.1f) {
      front.push_back(s);
    } else if (d1 < 0.0f && d2 < 0.1f) {
      back.push_back(s);
    } else {
      Vec2 at = s.start;
      lineIntersection(s.start, s.end, p.start, p.end, at);
      const float t = s.along(at);
      if (t < 0.0f) at = s.start;
      if (t > s.length) at = s.end;
      addPiece(s, s.start, at, d1 >= 0.0f ? front : back);
      addPiece(s, at, s.end, d1 >= 0.0f ? back : front);
    }
  }
  build(std::move(back), depth + 1, rows);
  rows.push_back({p.start, p.end, depth});
  build(std::move(front), depth + 1, rows);
}

std::vector<Row> tree() {
  std::vector<Row> rows;
  build(clean(collect()), 1, rows);
  return rows;
}

}  // namespace plain

std::vector<plain::Row> treeRows() {
  std::vector<CollisionEdge*> list;
  collision::collectEdges(list);
  std::vector<plain::Row> rows;
  for (const CollisionEdge* e : list) {
    int depth = 1;
    for (const CollisionEdge* p = e->parent; p; p = p->parent) ++depth;
    rows.push_back({e->start, e->end, depth});
  }
  return rows;
}

// A level with work for every rule: slanted boxes; a row of boxes of differing heights side
// by side, whose tops run on into each other and whose sides partly overlap; cutters over
// their tops; a switchable box in the row; and a joint bent too little to count as a corner,
// between polygons far apart in the list.
void addEverything(std::mt19937& random) {
  std::uniform_real_distribution<float> size(3.0f, 9.0f);
  addSlantedBoxes(random, 40);
  for (int i = 0; i < 12; ++i) {
    const float x = -200.0f + float(i) * 10.0f, h = size(random);
    Polygon& p = level::levelPolygons().emplace_back();
    for (Vec2 c : {Vec2{x, -50}, Vec2{x + 10, -50}, Vec2{x + 10, -50 + h}, Vec2{x, -50 + h}})
      p.addPoint(c.x, c.y);
    p.switchable = i == 5;
  }
  for (int i = 0; i < 6; ++i) {
    Polygon& c = level::levelPolygons().emplace_back();
    const float x = -195.0f + float(i) * 17.0f;
    for (Vec2 v : {Vec2{x, -56}, Vec2{x + 4, -56}, Vec2{x + 4, -50}, Vec2{x, -50}})
      c.addPoint(v.x, v.y);
    c.solid = c.visible = false;
  }
  // The second top side starts where the first ends and turns by less than a degree.
  Polygon& first = level::levelPolygons().emplace_back();
  for (Vec2 v : {Vec2{-140, -100}, Vec2{-100, -100}, Vec2{-100, -90}, Vec2{-140, -90}})
    first.addPoint(v.x, v.y);
  addSlantedBoxes(random, 8);
  Polygon& second = level::levelPolygons().emplace_back();
  for (Vec2 v : {Vec2{-100, -100}, Vec2{-60, -100.3f}, Vec2{-60, -90}, Vec2{-100, -90}})
    second.addPoint(v.x, v.y);
}

TEST_F(CollisionTreeTest, BuildMatchesAPlainBuildByTheSameRules) {
  for (uint32_t seed : {1u, 2u, 3u, 4u}) {
    level::levelPolygons().clear();
    std::mt19937 random(seed);
    addEverything(random);
    const std::vector<plain::Row> expected = plain::tree();
    collision::buildCollisionTree();
    ASSERT_GT(expected.size(), 4 * 32u);
    EXPECT_TRUE(treeRows() == expected) << "seed " << seed;
    EXPECT_EQ(edgesOnRow(-100).size(), 0u) << "the bent top sides merge";
  }
}

TEST_F(CollisionTreeTest, RebuildingReplacesThePreviousTree) {
  addPinwheel(0, 0);
  collision::buildCollisionTree();
  const size_t first = edges().size();
  collision::buildCollisionTree();
  EXPECT_EQ(edges().size(), first);
}

// ---- Circle collision ---------------------------------------------------------------------

class CircleCollisionTest : public CollisionTreeTest {
 protected:
  void SetUp() override {
    CollisionTreeTest::SetUp();
    addBox({-100, 0, 100, 50}).setFriction(0.3f);
  }
};

TEST_F(CircleCollisionTest, CircleOverALongEdgeMovesOutToItsRadius) {
  collision::buildCollisionTree();
  Vec2 centre{0, -1.5f};
  EXPECT_TRUE(collision::collideCircle(centre, 2.0f));
  EXPECT_FLOAT_EQ(centre.x, 0.0f);
  EXPECT_FLOAT_EQ(centre.y, -2.0f);
  EXPECT_EQ(collision::contactDirection(), (Vec2{0, 1}));
  EXPECT_FLOAT_EQ(collision::contactFriction(), 0.3f);
}

TEST_F(CircleCollisionTest, CircleTouchingNothingReportsNoContact) {
  collision::buildCollisionTree();
  Vec2 touching{0, -1.5f};
  collision::collideCircle(touching, 2.0f);  // leaves a contact behind
  Vec2 centre{0, -10};
  EXPECT_FALSE(collision::collideCircle(centre, 2.0f));
  EXPECT_EQ(centre, (Vec2{0, -10}));
  EXPECT_EQ(collision::contactDirection(), (Vec2{0, 0}));
  EXPECT_EQ(collision::contactFriction(), 1.0f);
}

TEST_F(CircleCollisionTest, CircleOnTheSolidSideIsPushedOutToTheFreeSide) {
  collision::buildCollisionTree();
  Vec2 centre{0, 1};
  EXPECT_TRUE(collision::collideCircle(centre, 2.0f));
  EXPECT_FLOAT_EQ(centre.y, -2.0f);
}

TEST_F(CircleCollisionTest, CircleBeyondAnEndIsPushedFromTheEndPoint) {
  level::levelPolygons().clear();
  addBox({0, 0, 10, 10});
  collision::buildCollisionTree();
  Vec2 centre{10.5f, -1};
  EXPECT_TRUE(collision::collideCircle(centre, 2.0f));
  const Vec2 away = centre - Vec2{10, 0};
  EXPECT_NEAR(length(away), 2.0f, 1e-4f);
  EXPECT_NEAR(away.y / away.x, -2.0f, 1e-3f);  // along the line from the corner, not up
  const Vec2 direction = collision::contactDirection();
  EXPECT_NEAR(direction.x * away.y - direction.y * away.x, 0.0f, 1e-4f);
  EXPECT_LT(dot(direction, away), 0.0f);
}

TEST_F(CircleCollisionTest, DeactivatedEdgeIsPassedThroughButStillSplits) {
  addBox({-10, -40, 10, -30});  // above the ground, so there is a tree of more than a chain
  collision::buildCollisionTree();
  CollisionEdge* ground = edgesOnRow(0).at(0);
  const size_t nodes = edges().size();
  ground->active = false;

  Vec2 centre{50, -1.5f};
  EXPECT_FALSE(collision::collideCircle(centre, 2.0f));
  Vec2 end{50, 10};
  EXPECT_EQ(collision::castRay({50, -10}, end), nullptr);
  Vec2 through{50, 60};
  EXPECT_EQ(collision::castRay({50, -10}, through), edgesOnRow(50).at(0));

  EXPECT_EQ(edges().size(), nodes);
  Vec2 underBox{0, -28.5f};
  EXPECT_TRUE(collision::collideCircle(underBox, 2.0f));
  EXPECT_FLOAT_EQ(underBox.y, -28.0f);

  collision::resetCollisionTree();
  EXPECT_TRUE(ground->active);
  Vec2 again{50, -1.5f};
  EXPECT_TRUE(collision::collideCircle(again, 2.0f));
}

TEST_F(CollisionTreeTest, DeactivatedRootStillGuidesTheWalk) {
  addPinwheel(0, 0);
  collision::buildCollisionTree();
  CollisionEdge* root = const_cast<CollisionEdge*>(collision::debugView().root);
  root->active = false;
  // Against every other edge a circle halfway along its free side is still pushed out.
  for (const CollisionEdge* e : edges()) {
    if (e == root || e->length < 1.0f) continue;
    Vec2 centre = e->start + e->direction * (e->length / 2) - e->normal * 0.5f;
    EXPECT_TRUE(collision::collideCircle(centre, 0.6f));
  }
}

// Each push off one wall of a narrow wedge drives the circle into the other; the passes
// after the first work it out further.
TEST_F(CollisionTreeTest, LaterPassesWorkACircleOutOfANarrowWedge) {
  addPolygon({{-10, -30}, {0, 0}, {10, -30}, {10, 10}, {-10, 10}});
  collision::buildCollisionTree();
  Vec2 centre{0.3f, -2.0f};
  EXPECT_TRUE(collision::collideCircle(centre, 2.0f));
  EXPECT_GT(nearestActiveEdge(edges(), centre), 1.3f);
  EXPECT_LT(centre.y, -5.0f);
}

TEST_F(CollisionTreeTest, SharedSidesDoNotPushACircleInsideTheSolid) {
  addBox({0, 0, 10, 10});
  addBox({10, 0, 20, 10});
  collision::buildCollisionTree();
  Vec2 centre{10, 5};
  EXPECT_FALSE(collision::collideCircle(centre, 2.0f));
  EXPECT_EQ(centre, (Vec2{10, 5}));
}

TEST_F(CollisionTreeTest, OverlappedSidesCollideOnlyWhereUncovered) {
  addBox({0, 0, 10, 10});
  addBox({10, 4, 20, 6});
  collision::buildCollisionTree();
  Vec2 covered{10, 5};
  EXPECT_FALSE(collision::collideCircle(covered, 0.5f));
  Vec2 open{10, 3};
  EXPECT_TRUE(collision::collideCircle(open, 0.5f));
  EXPECT_FLOAT_EQ(open.x, 10.5f);
  EXPECT_EQ(collision::contactDirection(), (Vec2{-1, 0}));
}

TEST_F(CollisionTreeTest, CircleOverAMergedJointMovesStraightOut) {
  addPolygon({{0, 0}, {2, 0}, {5, 0}, {10, 0}, {10, 10}, {0, 10}});
  collision::buildCollisionTree();
  for (float x : {2.0f, 5.0f}) {
    Vec2 centre{x, -1.5f};
    EXPECT_TRUE(collision::collideCircle(centre, 2.0f));
    EXPECT_FLOAT_EQ(centre.x, x);
    EXPECT_FLOAT_EQ(centre.y, -2.0f);
    EXPECT_EQ(collision::contactDirection(), (Vec2{0, 1}));
  }
}

TEST_F(CollisionTreeTest, CircleOverASplitPointMovesStraightOut) {
  addPinwheel(0, 0);
  collision::buildCollisionTree();
  // Find a cut: two edges of one row meeting end to start.
  for (const CollisionEdge* a : edges()) {
    for (const CollisionEdge* b : edges()) {
      if (a == b || a->end != b->start || a->normal != b->normal) continue;
      Vec2 centre = a->end - a->normal * 0.2f;
      EXPECT_TRUE(collision::collideCircle(centre, 0.5f));
      EXPECT_NEAR(a->signedDistance(centre), -0.5f, 1e-5f);
      EXPECT_NEAR(a->along(centre), a->length, 1e-5f);
      EXPECT_EQ(collision::contactDirection(), a->normal);
      return;
    }
  }
  FAIL() << "no edge of the level was split";
}

// A level of boxes with gaps wider than the circle, so that free space has room for it.
void addBoxField(std::mt19937& random, int count) {
  std::uniform_real_distribution<float> size(4.0f, 12.0f);
  for (int i = 0; i < count; ++i) {
    const float x = float(i % 4) * 25.0f, y = float(i / 4) * 25.0f;
    Polygon& p = level::levelPolygons().emplace_back();
    const float w = size(random), h = size(random);
    p.addPoint(x, y);
    p.addPoint(x + w, y);
    p.addPoint(x + w, y + h);
    p.addPoint(x, y + h);
  }
}

TEST_F(CollisionTreeTest, CircleEndsClearOfEveryEdge) {
  std::mt19937 random(7);
  addBoxField(random, 12);
  collision::buildCollisionTree();
  const std::vector<CollisionEdge*> all = edges();
  std::uniform_real_distribution<float> coordinate(-10.0f, 90.0f);
  constexpr float r = 2.0f;
  for (int i = 0; i < 5000; ++i) {
    const Vec2 start{coordinate(random), coordinate(random)};
    Vec2 centre = start;
    collision::collideCircle(centre, r);
    ASSERT_GE(nearestActiveEdge(all, centre), r - 1e-3f) << start.x << ", " << start.y;
  }
}

// The tree prunes with the circle's radius; it must find every edge the circle really
// overlaps. Near misses within the tree's side tolerance are not decided here.
TEST_F(CollisionTreeTest, TouchingAgreesWithALinearScan) {
  std::mt19937 random(11);
  addBoxField(random, 12);
  addPinwheel(0, 100);
  collision::buildCollisionTree();
  const std::vector<CollisionEdge*> all = edges();
  std::uniform_real_distribution<float> coordinate(-10.0f, 130.0f);
  for (int i = 0; i < 5000; ++i) {
    const Vec2 start{coordinate(random), coordinate(random)};
    const float nearest = nearestActiveEdge(all, start);
    Vec2 centre = start;
    const bool touched = collision::collideCircle(centre, 2.0f);
    if (nearest < 2.0f - 0.15f) {
      EXPECT_TRUE(touched) << start.x << ", " << start.y;
    }
    if (nearest > 2.0f) {
      EXPECT_FALSE(touched) << start.x << ", " << start.y;
    }
  }
}

// ---- Ray cast -----------------------------------------------------------------------------

TEST_F(CollisionTreeTest, RayStopsAtTheFirstEdgeItCrosses) {
  addBox({0, 0, 10, 10});
  addBox({0, 20, 10, 30});
  collision::buildCollisionTree();
  Vec2 end{5, 40};
  const CollisionEdge* hit = collision::castRay({5, -10}, end);
  ASSERT_NE(hit, nullptr);
  EXPECT_EQ(hit->start.y, 0.0f);
  EXPECT_EQ(end, (Vec2{5, 0}));
  Vec2 back{5, -10};
  hit = collision::castRay({5, 15}, back);
  ASSERT_NE(hit, nullptr);
  EXPECT_EQ(back, (Vec2{5, 10}));
}

TEST_F(CollisionTreeTest, RayWithoutTreeOrLengthHitsNothing) {
  Vec2 end{5, 5};
  EXPECT_EQ(collision::castRay({0, 0}, end), nullptr);
  addBox({0, 0, 10, 10});
  collision::buildCollisionTree();
  Vec2 same{5, -1};
  EXPECT_EQ(collision::castRay({5, -1}, same), nullptr);
  EXPECT_EQ(same, (Vec2{5, -1}));
}

TEST_F(CollisionTreeTest, RayStartingOnAnEdgeTouchesItActiveOrNot) {
  addBox({0, 0, 10, 10});
  collision::buildCollisionTree();
  CollisionEdge* top = edgesOnRow(0).at(0);
  top->active = false;
  Vec2 end{5, -10};
  EXPECT_EQ(collision::castRay({5, -0.02f}, end), top);
  EXPECT_FLOAT_EQ(end.x, 5.0f);
  EXPECT_FLOAT_EQ(end.y, 0.0f);
  // Past the start, but within the margin: the hit point is kept clear of the end.
  Vec2 nearEnd{-5, -10};
  EXPECT_EQ(collision::castRay({-0.02f, -0.01f}, nearEnd), top);
  EXPECT_FLOAT_EQ(nearEnd.x, 0.025f);
  Vec2 away{5, -10};
  EXPECT_EQ(collision::castRay({5, -0.03f}, away), nullptr);
  Vec2 pastEnd{-5, -10};
  EXPECT_EQ(collision::castRay({-0.03f, -0.01f}, pastEnd), nullptr);
}

TEST_F(CollisionTreeTest, RayHitsTheNearestCrossingOfALinearScan) {
  std::mt19937 random(3);
  addBoxField(random, 12);
  addPinwheel(0, 100);
  collision::buildCollisionTree();
  const std::vector<CollisionEdge*> all = edges();
  std::uniform_real_distribution<float> coordinate(-10.0f, 130.0f);
  for (int i = 0; i < 3000; ++i) {
    const Vec2 from{coordinate(random), coordinate(random)};
    const Vec2 to{coordinate(random), coordinate(random)};
    if (nearestActiveEdge(all, from) < 0.2f) continue;
    float nearest = std::numeric_limits<float>::max();
    for (const CollisionEdge* e : all) {
      Vec2 crossing = to;
      if (segmentHit(from, to, e->start, e->end, crossing))
        nearest = std::min(nearest, distance(from, crossing));
    }
    Vec2 end = to;
    const CollisionEdge* hit = collision::castRay(from, end);
    if (nearest == std::numeric_limits<float>::max()) {
      EXPECT_EQ(hit, nullptr);
    } else {
      ASSERT_NE(hit, nullptr);
      EXPECT_NEAR(distance(from, end), nearest, 1e-3f);
    }
  }
}

// ---- Console entries ----------------------------------------------------------------------

TEST_F(CollisionTreeTest, EmptyLevelRegistersEntriesThatReadZero) {
  collision::buildCollisionTree();
  EXPECT_EQ(takePrinted(), "\nCreating the level bsp tree...");
  EXPECT_EQ(run("BspSize"), "\nBspSize is 0");
  EXPECT_EQ(run("BspDepth"), "\nBspDepth is 0");
  EXPECT_EQ(run("BspWalk root"), "");
  collision::destroyCollisionTree();
  EXPECT_EQ(console::findCommand("BspSize"), nullptr);
  EXPECT_EQ(console::findCommand("BspNodeDraw"), nullptr);
}

TEST_F(CollisionTreeTest, BuildReportsItsTime) {
  addBox({0, 0, 10, 10});
  collision::buildCollisionTree();
  const std::string printed = takePrinted();
  EXPECT_EQ(printed.rfind("\nCreating the level bsp tree...\nBsp Tree created in ", 0), 0u);
  EXPECT_TRUE(printed.ends_with(" seconds."));
}

TEST_F(CollisionTreeTest, WalkMovesOverTheTree) {
  addBox({0, 0, 10, 10});  // a chain: every side lies in front of the others
  collision::buildCollisionTree();
  const CollisionEdge* root = collision::debugView().root;
  EXPECT_EQ(run("BspWalk root"), "\nAlready at root node.\nWalk options for current node: RIGHT ");
  EXPECT_EQ(run("BspWalk left"),
            "\nNo left child node at current node.\nWalk options for current node: RIGHT ");
  EXPECT_EQ(run("BspWalk Right"), "\nWalk options for current node: ROOT PARENT RIGHT ");
  EXPECT_EQ(collision::debugView().walkNode, root->frontChild);
  run("BspWalk RIGHT");
  run("BspWalk RIGHT");
  EXPECT_EQ(run("BspWalk right"),
            "\nNo right child node at current node.\nWalk options for current node: ROOT PARENT ");
  EXPECT_EQ(run("BspWalk parent"), "\nWalk options for current node: ROOT PARENT RIGHT ");
  EXPECT_EQ(run("BspWalk ROOT"), "\nWalk options for current node: RIGHT ");
  EXPECT_EQ(collision::debugView().walkNode, root);
  EXPECT_EQ(run("BspWalk parent"),
            "\nNo parent node at current node.\nWalk options for current node: RIGHT ");
}

TEST_F(CollisionTreeTest, WalkNamesItsWordsForAnyOther) {
  addBox({0, 0, 10, 10});
  collision::buildCollisionTree();
  EXPECT_EQ(run("BspWalk up"),
            "\nUnrecognised tree walk command. Valid commands are: \n"
            "\nBspTreeWalk LEFT\nBspTreeWalk RIGHT\nBspTreeWalk PARENT\nBspTreeWalk ROOT\n"
            "\nWalk options for current node: RIGHT ");
}

TEST_F(CollisionTreeTest, CastNeedsExactlyTwoNumbers) {
  addBox({0, 0, 10, 10});
  collision::buildCollisionTree();
  for (const char* line : {"BspCast 10", "BspCast", "BspCast 1 2 3", "BspCast a 2"})
    EXPECT_EQ(run(line), "\nUSAGE: BspCast < number > < number >") << line;
  EXPECT_EQ(collision::debugView().castStarts, nullptr);
}

TEST_F(CollisionTreeTest, CastBenchmarkKeepsItsLastRays) {
  addBox({0, 0, 10, 10});
  collision::buildCollisionTree();
  const std::string printed = run("BspCast 5 -5");
  EXPECT_NE(printed.find("Test ray cast results"), std::string::npos);
  EXPECT_NE(printed.find("\nTest cast rays:              256"), std::string::npos);
  EXPECT_NE(printed.find("\nTest cast iterations:        2048"), std::string::npos);
  EXPECT_NE(printed.find("\nTotal rays cast:             524288"), std::string::npos);
  EXPECT_NE(printed.find("\nRays per second (average):   "), std::string::npos);
  const collision::DebugView view = collision::debugView();
  ASSERT_NE(view.castStarts, nullptr);
  for (int k = 0; k < collision::kCastRays; ++k) {
    EXPECT_EQ(view.castStarts[k], (Vec2{5, -5}));
    // A ray ends on the box's top or passes it by.
    const Vec2 end = view.castEnds[k];
    if (end.y < 0.0f) continue;
    const float xAtTop = 5.0f + (end.x - 5.0f) * 5.0f / (end.y + 5.0f);
    if (end.y == 0.0f) {
      EXPECT_TRUE(xAtTop >= 0.0f && xAtTop <= 10.0f) << end.x;
    } else {
      EXPECT_TRUE(xAtTop < 0.0f || xAtTop > 10.0f) << end.x << ", " << end.y;
    }
  }
}

TEST_F(CollisionTreeTest, DrawFlagsAreVariablesClearedByResetAndBuild) {
  addBox({0, 0, 10, 10});
  collision::buildCollisionTree();
  for (const char* name : {"BspWalkDraw", "BspCastDraw", "BspSplitDraw", "BspNodeDraw"})
    console::execute(std::string(name) + " true");
  collision::DebugView view = collision::debugView();
  EXPECT_TRUE(view.walkDraw && view.castDraw && view.splitDraw && view.nodeDraw);
  EXPECT_EQ(run("BspNodeDraw"), "\nBspNodeDraw is true");
  collision::resetCollisionTree();
  view = collision::debugView();
  EXPECT_FALSE(view.walkDraw || view.castDraw || view.splitDraw || view.nodeDraw);
  console::execute("BspSplitDraw true");
  collision::buildCollisionTree();
  EXPECT_FALSE(collision::debugView().splitDraw);
}

}  // namespace
