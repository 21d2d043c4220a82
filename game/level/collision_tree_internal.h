#pragma once
// The collision tree's private parts, shared by the files that build, clean, query and
// inspect it: the tree's storage and debug flags, the blocks of end points the cleaning pass
// and the node choice loop over, and the stages each file lends the build. Callers outside
// the tree use collision_tree.h.
//
// Both hot loops of the build run over plain float arrays in blocks of fixed length that the
// compiler turns into vector code; removed entries hold NaN there, which fails every
// comparison. Each block also keeps the box around its end points. The signed distance from
// a line is a chain of monotonic float operations, so its value at a box's corners bounds its
// value for every point inside, exactly as the per-edge test would compute it: a block wholly
// on one side of a line is counted, or passed over, at once.

#include <algorithm>
#include <array>
#include <cstddef>
#include <deque>
#include <limits>
#include <vector>

#include "game/level/collision_tree.h"

namespace collision::detail {

constexpr float kMinimumLength = 0.01f;  // shorter edges and pieces are dropped

// Hot loops work on blocks of this many entries; arrays are padded with NaN to a whole block.
constexpr size_t kBlock = 32;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

inline size_t paddedSize(size_t n) {
  return (n + kBlock - 1) / kBlock * kBlock;
}

struct TreeState {
  std::deque<CollisionEdge> nodes;  // a deque, since the association and the walk point in
  CollisionEdge* root = nullptr;
  CollisionEdge* walkNode = nullptr;
  bool walkDraw = false, castDraw = false, splitDraw = false, nodeDraw = false;
  bool haveCastRays = false;
  std::array<Vec2, kCastRays> castStarts{}, castEnds{};
};

// The one tree of the level, owned by collision_tree.cpp.
TreeState& treeState();

// The box around the end points of one block of entries. It only ever grows, so it stays
// true while entries of the block are removed or moved.
struct BlockBox {
  float minX = std::numeric_limits<float>::infinity();
  float minY = std::numeric_limits<float>::infinity();
  float maxX = -std::numeric_limits<float>::infinity();
  float maxY = -std::numeric_limits<float>::infinity();

  void include(Vec2 p) {
    minX = std::min(minX, p.x);
    minY = std::min(minY, p.y);
    maxX = std::max(maxX, p.x);
    maxY = std::max(maxY, p.y);
  }
};

// A line's signed distance, in the same float operations as CollisionEdge::signedDistance.
// Each operation rounds monotonically, so over a box the computed value lies between its
// values at two opposite corners: a whole block can be judged from its box, exactly.
struct LineGauge {
  float x, y, nx, ny;

  explicit LineGauge(const CollisionEdge& e)
      : x(e.start.x), y(e.start.y), nx(e.normal.x), ny(e.normal.y) {}

  float at(float px, float py) const { return (px - x) * nx + (py - y) * ny; }
  float lowest(const BlockBox& b) const {
    return at(nx >= 0.0f ? b.minX : b.maxX, ny >= 0.0f ? b.minY : b.maxY);
  }
  float highest(const BlockBox& b) const {
    return at(nx >= 0.0f ? b.maxX : b.minX, ny >= 0.0f ? b.maxY : b.minY);
  }
};

// The end points of a list of edges as four float arrays, padded with NaN to whole blocks,
// and the box around each block's end points: the layout the block loops run over.
struct EndPointBlocks {
  std::vector<float> startX, startY, endX, endY;
  std::vector<BlockBox> boxes;

  // Room for `n` entries; new entries are NaN, which fails every comparison.
  void grow(size_t n) {
    for (std::vector<float>* v : {&startX, &startY, &endX, &endY}) v->resize(paddedSize(n), kNaN);
    boxes.resize(paddedSize(n) / kBlock);
  }
  // `n` entries, all NaN, with empty boxes.
  void reset(size_t n) {
    for (std::vector<float>* v : {&startX, &startY, &endX, &endY}) v->assign(paddedSize(n), kNaN);
    boxes.assign(paddedSize(n) / kBlock, BlockBox{});
  }
  void set(size_t i, const CollisionEdge& e) {
    startX[i] = e.start.x;
    startY[i] = e.start.y;
    endX[i] = e.end.x;
    endY[i] = e.end.y;
    boxes[i / kBlock].include(e.start);
    boxes[i / kBlock].include(e.end);
  }
  void erase(size_t i) { startX[i] = startY[i] = endX[i] = endY[i] = kNaN; }
};

// The stages of the build, each in its own file.

// Cancels, merges and cuts apart the collected edges; the survivors in list order, the
// cutters' edges dropped (collision_tree_cleaning.cpp).
std::vector<CollisionEdge> cleanEdges(std::vector<CollisionEdge> edges);
// Builds the tree from a list of at least one edge into treeState() (collision_tree_build.cpp).
void plantTree(std::vector<CollisionEdge> edges);
// The tree's console entries, registered and removed from one table
// (collision_tree_console.cpp).
void addTreeEntries();
void removeTreeEntries();

}  // namespace collision::detail
