// Building the tree: each node is the edge whose line leaves the remaining edges most evenly
// on its two sides with fewest of them cut, and the edges its line crosses are split in two.
// Choosing a node scores every edge of a list against every other, so the tally runs over the
// end points in blocks (collision_tree_internal.h); for scoring, long lists are first put in
// Morton order so that blocks are compact and most of them lie wholly on one side of a line.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <utility>
#include <vector>

#include "game/level/collision_tree_internal.h"
#include "game/level/geometry.h"

namespace collision::detail {
namespace {

constexpr float kSideTolerance = 0.1f;  // an end this close to a node's line is not split

// ---- Choosing a node --------------------------------------------------------------------

// How the edges of a list lie against a candidate's line: wholly in front, wholly behind,
// or cut (the rest).
struct Sides {
  int32_t front = 0;
  int32_t behind = 0;
};

// Interleaves the bits of x and y, so that sorting by the code keeps neighbours together.
uint32_t mortonCode(uint32_t x, uint32_t y) {
  auto spread = [](uint32_t v) {
    v = (v | (v << 8)) & 0x00FF00FFu;
    v = (v | (v << 4)) & 0x0F0F0F0Fu;
    v = (v | (v << 2)) & 0x33333333u;
    return (v | (v << 1)) & 0x55555555u;
  };
  return spread(x) | (spread(y) << 1);
}

// The order of a list's edges along a Morton curve through their midpoints.
std::vector<uint32_t> spatialOrder(const std::vector<CollisionEdge>& list) {
  BlockBox bounds;
  for (const CollisionEdge& e : list) bounds.include((e.start + e.end) * 0.5f);
  const float scale =
      65535.0f / std::max({bounds.maxX - bounds.minX, bounds.maxY - bounds.minY, 1e-6f});
  std::vector<std::pair<uint32_t, uint32_t>> keyed(list.size());
  for (size_t i = 0; i < list.size(); ++i) {
    const Vec2 mid = (list[i].start + list[i].end) * 0.5f;
    keyed[i] = {mortonCode(uint32_t((mid.x - bounds.minX) * scale),
                           uint32_t((mid.y - bounds.minY) * scale)),
                uint32_t(i)};
  }
  std::sort(keyed.begin(), keyed.end());
  std::vector<uint32_t> order(list.size());
  for (size_t i = 0; i < keyed.size(); ++i) order[i] = keyed[i].second;
  return order;
}

// Lists shorter than this are scored in their own order; sorting would not pay.
constexpr size_t kSortedScoring = 4 * kBlock;

// The end points of the list being scored, padded with NaN, which counts on neither side.
// Long lists are stored in spatial order so that most blocks lie wholly on one side of a
// candidate's line and are counted from their box; the order does not change any tally.
struct ScoringArrays {
  EndPointBlocks ends;
  size_t count = 0;

  void load(const std::vector<CollisionEdge>& list) {
    count = list.size();
    ends.reset(count);
    if (count < kSortedScoring) {
      for (size_t i = 0; i < count; ++i) ends.set(i, list[i]);
      return;
    }
    const std::vector<uint32_t> order = spatialOrder(list);
    for (size_t i = 0; i < count; ++i) ends.set(i, list[order[i]]);
  }

  Sides tallyBlock(size_t first, const LineGauge& line) const {
    const size_t entries = std::min(kBlock, count - first);
    const BlockBox& box = ends.boxes[first / kBlock];
    if (line.lowest(box) >= 0.0f) return {int32_t(entries), 0};
    if (line.highest(box) < 0.0f) return {0, int32_t(entries)};
    const float* sx = &ends.startX[first];
    const float* sy = &ends.startY[first];
    const float* ex = &ends.endX[first];
    const float* ey = &ends.endY[first];
    Sides sides;
    for (size_t i = 0; i < kBlock; ++i) {
      const float d1 = line.at(sx[i], sy[i]);
      const float d2 = line.at(ex[i], ey[i]);
      sides.front += (d1 >= 0.0f) & (d2 >= 0.0f);
      sides.behind += (d1 < 0.0f) & (d2 < 0.0f);
    }
    return sides;
  }
};

ScoringArrays scoring;

Sides sidesOf(const CollisionEdge& s, const CollisionEdge& k) {
  const float d1 = k.signedDistance(s.start);
  const float d2 = k.signedDistance(s.end);
  return {(d1 >= 0.0f) & (d2 >= 0.0f), (d1 < 0.0f) & (d2 < 0.0f)};
}

int32_t score(Sides sides, int32_t edges) {
  return std::abs(sides.front - sides.behind) + (edges - sides.front - sides.behind);
}

// The score of candidate `k` of the loaded list against every edge, itself included or
// not. Splits only grow and each edge still to come can lower the imbalance by one at most,
// so the tally stops as soon as the score cannot end below `limit`, and returns `limit`.
// The candidate's own entry is taken off in advance, wherever the spatial order put it; until
// its block is reached that leaves the running bound lower, never higher, than the truth.
int32_t scoreCandidate(const CollisionEdge& candidate, bool withSelf, int32_t limit) {
  const LineGauge line(candidate);
  const int32_t total = int32_t(scoring.count) - (withSelf ? 0 : 1);
  Sides sides;
  int32_t seen = 0;
  if (!withSelf) {
    sides = sidesOf(candidate, candidate);
    sides.front = -sides.front;
    sides.behind = -sides.behind;
    seen = -1;
  }
  for (size_t first = 0; first < scoring.count; first += kBlock) {
    const Sides block = scoring.tallyBlock(first, line);
    sides.front += block.front;
    sides.behind += block.behind;
    seen += int32_t(std::min(kBlock, scoring.count - first));
    const int32_t splits = seen - sides.front - sides.behind;
    const int32_t rest = total - seen;
    if (splits + std::max(0, std::abs(sides.front - sides.behind) - rest) >= limit) return limit;
  }
  return score(sides, total);
}

// The first edge, scored against the whole list, is the first best; a later candidate, and
// the first again, scored against the others, replaces it only with a strictly lower score.
size_t chooseSplitter(const std::vector<CollisionEdge>& list) {
  if (list.size() == 1) return 0;
  scoring.load(list);
  const int32_t lowestPossible = int32_t(list.size() - 1) & 1;  // the score's parity is fixed
  size_t best = 0;
  int32_t bestScore = scoreCandidate(list[0], true, std::numeric_limits<int32_t>::max());
  for (size_t k = 0; k < list.size() && bestScore > lowestPossible; ++k) {
    const int32_t s = scoreCandidate(list[k], false, bestScore);
    if (s < bestScore) {
      bestScore = s;
      best = k;
    }
  }
  return best;
}

// ---- Splitting the lists ----------------------------------------------------------------

void addPiece(const CollisionEdge& whole, Vec2 start, Vec2 end, std::vector<CollisionEdge>& to) {
  CollisionEdge part;
  part.start = start;
  part.end = end;
  part.direction = normalised(end - start);
  part.normal = {-part.direction.y, part.direction.x};
  part.length = length(end - start);
  part.friction = whole.friction;
  part.active = whole.active;
  part.polygon = whole.polygon;
  if (part.length > kMinimumLength) to.push_back(part);
}

// Cuts s where the node's line crosses it; the piece holding s's start goes to `startSide`.
void splitEdge(const CollisionEdge& node, const CollisionEdge& s,
               std::vector<CollisionEdge>& startSide, std::vector<CollisionEdge>& endSide) {
  Vec2 cut = s.start;
  lineIntersection(s.start, s.end, node.start, node.end, cut);
  const float t = s.along(cut);
  if (t < 0.0f) {
    cut = s.start;
  } else if (t > s.length) {
    cut = s.end;
  }
  addPiece(s, s.start, cut, startSide);
  addPiece(s, cut, s.end, endSide);
}

// Ends within the tolerance of the node's line count as lying on the side of the start.
void partition(const CollisionEdge& node, const std::vector<CollisionEdge>& list,
               std::vector<CollisionEdge>& back, std::vector<CollisionEdge>& front) {
  for (const CollisionEdge& s : list) {
    const float d1 = node.signedDistance(s.start);
    const float d2 = node.signedDistance(s.end);
    if (d1 >= 0.0f && d2 >= -kSideTolerance) {
      front.push_back(s);
    } else if (d1 < 0.0f && d2 < kSideTolerance) {
      back.push_back(s);
    } else if (d1 >= 0.0f) {
      splitEdge(node, s, front, back);
    } else {
      splitEdge(node, s, back, front);
    }
  }
}

// Moves the chosen edge of the list into the tree's storage.
CollisionEdge& adoptNode(std::vector<CollisionEdge>& list, size_t index) {
  CollisionEdge& node = treeState().nodes.emplace_back(list[index]);
  list.erase(list.begin() + std::ptrdiff_t(index));
  node.parent = node.backChild = node.frontChild = nullptr;
  return node;
}

struct PendingSubtree {
  CollisionEdge* node;
  std::vector<CollisionEdge> edges;
};

CollisionEdge* attachChild(CollisionEdge& parent, std::vector<CollisionEdge>& list,
                           std::vector<PendingSubtree>& work) {
  if (list.empty()) return nullptr;
  CollisionEdge& child = adoptNode(list, chooseSplitter(list));
  child.parent = &parent;
  if (!list.empty()) work.push_back({&child, std::move(list)});
  return &child;
}

// The subtrees are built from a work list rather than by recursion: a level of many edges
// in a ring gives a tree as deep as the ring is long.
void buildSubtrees(CollisionEdge& root, std::vector<CollisionEdge> rest) {
  std::vector<PendingSubtree> work;
  if (!rest.empty()) work.push_back({&root, std::move(rest)});
  while (!work.empty()) {
    PendingSubtree item = std::move(work.back());
    work.pop_back();
    std::vector<CollisionEdge> back, front;
    partition(*item.node, item.edges, back, front);
    item.node->backChild = attachChild(*item.node, back, work);
    item.node->frontChild = attachChild(*item.node, front, work);
  }
}

}  // namespace

void plantTree(std::vector<CollisionEdge> edges) {
  CollisionEdge& root = adoptNode(edges, chooseSplitter(edges));
  treeState().root = &root;
  buildSubtrees(root, std::move(edges));
}

}  // namespace collision::detail
