// The collision tree is built once per level in four stages. The solid outlines are cut
// into directed edges whose normals point into their polygons. A cleaning pass then walks
// the list pair by pair: an edge met by its exact reverse (two polygons touching) vanishes
// with it, an edge running straight on into the next one is merged into it, and collinear
// edges that overlap are replaced by the pieces of each that the other does not cover; the
// pieces go to the back of the list so they are compared again. Edges of cutter polygons
// take part only in this pass, so they open the walls they lie against. Last, the edges
// become the nodes of a binary space partitioning tree: each node is the edge whose line
// leaves the remaining edges most evenly on its two sides with fewest of them cut, and the
// edges its line crosses are split in two.
//
// Choosing a node scores every edge of a list against every other, and the cleaning pass
// compares every pair, so both inner loops run over plain float arrays in blocks of fixed
// length that the compiler turns into vector code; removed entries hold NaN there, which
// fails every comparison. Each block also keeps the box around its end points. The signed
// distance from a line is a chain of monotonic float operations, so its value at a box's
// corners bounds its value for every point inside, exactly as the per-edge test would
// compute it: a block wholly on one side of a line is counted, or passed over, at once.
// For scoring, long lists are first put in Morton order so that blocks are compact.
// Queries keep their working lists between calls, so a particle's collision allocates
// nothing once the lists have grown.

#include "game/level/collision_tree.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <deque>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/random.h"
#include "common/stopwatch.h"
#include "common/text.h"
#include "game/console/console.h"
#include "game/level/geometry.h"
#include "game/level/level_data.h"
#include "game/level/polygon.h"

namespace collision {
namespace {

constexpr float kMinimumLength = 0.01f;    // shorter edges and pieces are dropped
constexpr float kSamePoint = 0.01f;        // per coordinate, for joining end points
constexpr float kCollinear = 0.01f;        // distance of an edge's ends from another's line
constexpr float kOverlapMargin = 0.0001f;  // an end this far inside the other edge overlaps
constexpr float kInsideMargin = 0.01f;     // an end this far inside the other edge is cut at
constexpr float kStraightOn = 0.9999f;     // directions' dot product for a merge
constexpr float kSideTolerance = 0.1f;     // an end this close to a node's line is not split
constexpr float kTouchDistance = 0.025f;   // a ray starting this close to an edge touches it
constexpr int kCastRounds = 2048;
constexpr float kCastReach = 100000.0f;

// Hot loops work on blocks of this many entries; arrays are padded with NaN to a whole block.
constexpr size_t kBlock = 32;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

size_t paddedSize(size_t n) {
  return (n + kBlock - 1) / kBlock * kBlock;
}

// ---- Tree state -------------------------------------------------------------------------

struct TreeState {
  std::deque<CollisionEdge> nodes;  // a deque, since the association and the walk point in
  CollisionEdge* root = nullptr;
  CollisionEdge* walkNode = nullptr;
  bool walkDraw = false, castDraw = false, splitDraw = false, nodeDraw = false;
  bool haveCastRays = false;
  std::array<Vec2, kCastRays> castStarts{}, castEnds{};
};

TreeState tree;

void clearDebugFlags() {
  tree.walkDraw = tree.castDraw = tree.splitDraw = tree.nodeDraw = false;
}

// ---- Collecting edges -------------------------------------------------------------------

CollisionEdge makeEdge(Vec2 start, Vec2 end, const CollisionEdge& model) {
  CollisionEdge edge = model;
  edge.start = start;
  edge.end = end;
  edge.direction = normalised(end - start);
  edge.normal = {-edge.direction.y, edge.direction.x};
  edge.length = length(end - start);
  return edge;
}

bool takesPartInCollision(const Polygon& polygon) {
  if (polygon.pointCount() < 2) return false;
  if (!polygon.solid && polygon.visible) return false;
  return !(polygon.solid && polygon.moving);  // moving polygons collide from the movers
}

std::vector<CollisionEdge> collectLevelEdges() {
  std::vector<CollisionEdge> edges;
  for (Polygon& polygon : level::levelPolygons())
    if (takesPartInCollision(polygon)) collectPolygonEdges(polygon, edges);
  return edges;
}

// ---- Cleaning ---------------------------------------------------------------------------

bool isSwitchable(const CollisionEdge& edge) {
  return edge.polygon && edge.polygon->switchable;
}

bool nearlySamePoint(Vec2 a, Vec2 b) {
  return std::fabs(a.x - b.x) < kSamePoint && std::fabs(a.y - b.y) < kSamePoint;
}

bool insideEdge(float s, float length) {
  return s > kInsideMargin && s < length - kInsideMargin;
}

bool overlapsEdge(float s, float length) {
  return s >= kOverlapMargin && s < length - kOverlapMargin;
}

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

// What an outer edge X needs to find partners quickly: an inner edge Y can pair with it only
// when Y starts where X ends or both of Y's ends lie on X's line.
struct PairProbe {
  LineGauge line;
  float endX, endY;

  explicit PairProbe(const CollisionEdge& x) : line(x), endX(x.end.x), endY(x.end.y) {}

  bool mayPair(float sx, float sy, float ex, float ey) const {
    // Bitwise on purpose: no branches, so the block loop vectorises.
    const int joins =
        int(std::fabs(endX - sx) < kSamePoint) & int(std::fabs(endY - sy) < kSamePoint);
    const int onLine =
        int(std::fabs(line.at(sx, sy)) < kCollinear) & int(std::fabs(line.at(ex, ey)) < kCollinear);
    return (joins | onLine) != 0;
  }

  // False only when no entry inside the box can pair; written so that NaN answers "maybe".
  bool boxMayPair(const BlockBox& b) const {
    const bool joins = !(endX - b.maxX >= kSamePoint || b.minX - endX >= kSamePoint ||
                         endY - b.maxY >= kSamePoint || b.minY - endY >= kSamePoint);
    const bool onLine = !(line.lowest(b) >= kCollinear || line.highest(b) <= -kCollinear);
    return joins || onLine;
  }
};

// The list being cleaned, in list order. Removed edges stay in place, marked; the float
// copies of their end points (and of every switchable edge's) are NaN, so the partner search
// passes over them without a test of its own.
class CleaningList {
 public:
  explicit CleaningList(std::vector<CollisionEdge> edges) {
    for (const CollisionEdge& edge : edges) append(edge);
  }

  // One pass: every edge in turn is the outer edge and pairs with the first later edge that
  // it merges, cancels or overlaps with; pieces appended meanwhile are reached in turn.
  void clean() {
    for (size_t o = 0; o < edges_.size(); ++o) {
      if (removed_[o] || isSwitchable(edges_[o])) continue;
      const PairProbe probe(edges_[o]);
      for (size_t i = findPartner(probe, o + 1); i < edges_.size(); i = findPartner(probe, i + 1))
        if (resolvePair(o, i)) break;
    }
  }

  // The edges left over, cutters dropped, in list order.
  std::vector<CollisionEdge> survivors() const {
    std::vector<CollisionEdge> kept;
    for (size_t i = 0; i < edges_.size(); ++i)
      if (!removed_[i] && !edges_[i].cutter) kept.push_back(edges_[i]);
    return kept;
  }

 private:
  void append(const CollisionEdge& edge) {
    const size_t i = edges_.size();
    edges_.push_back(edge);
    removed_.push_back(0);
    ends_.grow(i + 1);
    if (!isSwitchable(edge)) ends_.set(i, edge);
  }

  void remove(size_t i) {
    removed_[i] = 1;
    ends_.erase(i);
  }

  bool mayPair(const PairProbe& probe, size_t i) const {
    return probe.mayPair(ends_.startX[i], ends_.startY[i], ends_.endX[i], ends_.endY[i]);
  }

  bool blockMayPair(const PairProbe& probe, size_t first) const {
    if (!probe.boxMayPair(ends_.boxes[first / kBlock])) return false;
    const float* sx = &ends_.startX[first];
    const float* sy = &ends_.startY[first];
    const float* ex = &ends_.endX[first];
    const float* ey = &ends_.endY[first];
    int32_t hits = 0;  // a count rather than a flag, which the vectoriser declines
    for (size_t k = 0; k < kBlock; ++k) hits += probe.mayPair(sx[k], sy[k], ex[k], ey[k]);
    return hits != 0;
  }

  // The first index from `from` on that may pair with the probe; the list's size if none.
  size_t findPartner(const PairProbe& probe, size_t from) const {
    const size_t n = edges_.size();
    size_t i = from;
    for (; i < n && i % kBlock != 0; ++i)
      if (mayPair(probe, i)) return i;
    for (; i < n; i += kBlock) {
      if (!blockMayPair(probe, i)) continue;
      for (size_t k = i; k < i + kBlock; ++k)
        if (mayPair(probe, k)) return std::min(k, n);
    }
    return n;
  }

  // Applies the first rule that fits the pair; false when none does.
  bool resolvePair(size_t o, size_t i) {
    const CollisionEdge x = edges_[o];
    const CollisionEdge y = edges_[i];
    if (nearlySamePoint(x.end, y.start)) {
      if (nearlySamePoint(x.start, y.end)) {
        remove(o);
        remove(i);
        return true;
      }
      // A cutter's edge never merges with a wall's: the merged edge would be dropped with
      // the cutters, or grow the wall over the cutter's extent.
      if (dot(x.direction, y.direction) > kStraightOn && x.cutter == y.cutter) {
        edges_[i].start = x.start;
        edges_[i].length += x.length;
        ends_.set(i, edges_[i]);
        remove(o);
        return true;
      }
    }
    return cutOverlap(o, i, x, y);
  }

  bool cutOverlap(size_t o, size_t i, const CollisionEdge& x, const CollisionEdge& y) {
    if (std::fabs(x.signedDistance(y.start)) >= kCollinear ||
        std::fabs(x.signedDistance(y.end)) >= kCollinear)
      return false;
    const float s1 = y.along(x.start), s2 = y.along(x.end);
    const float s3 = x.along(y.start), s4 = x.along(y.end);
    if (!overlapsEdge(s1, y.length) && !overlapsEdge(s2, y.length) && !overlapsEdge(s3, x.length) &&
        !overlapsEdge(s4, x.length))
      return false;
    remove(o);
    remove(i);
    appendUncovered(y, x, s1, s2);
    appendUncovered(x, y, s3, s4);
    return true;
  }

  // The pieces of `edge` that `other` leaves, given where other's ends lie along edge.
  void appendUncovered(const CollisionEdge& edge, const CollisionEdge& other, float sStart,
                       float sEnd) {
    const bool startInside = insideEdge(sStart, edge.length);
    const bool endInside = insideEdge(sEnd, edge.length);
    if (startInside) appendPiece(edge, piece(edge, other.start, edge.end));
    if (endInside) appendPiece(edge, piece(edge, edge.start, other.end));
  }

  // A piece is kept only when it is a real edge and shorter than the edge it came from:
  // every cut then shortens what it leaves, so the pass always ends, whatever the float
  // rounding of coordinates far from the origin does to the cut points.
  void appendPiece(const CollisionEdge& edge, const CollisionEdge& part) {
    if (part.length > kMinimumLength && part.length < edge.length) append(part);
  }

  // A copy keeps its direction and normal; only the ends and the length change.
  static CollisionEdge piece(const CollisionEdge& edge, Vec2 start, Vec2 end) {
    CollisionEdge part = edge;
    part.start = start;
    part.end = end;
    part.length = distance(start, end);
    return part;
  }

  std::vector<CollisionEdge> edges_;
  std::vector<uint8_t> removed_;
  EndPointBlocks ends_;
};

std::vector<CollisionEdge> cleanEdges(std::vector<CollisionEdge> edges) {
  CleaningList list(std::move(edges));
  list.clean();
  return list.survivors();
}

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

// ---- Building the tree ------------------------------------------------------------------

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
  CollisionEdge& node = tree.nodes.emplace_back(list[index]);
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

// ---- Walking the tree -------------------------------------------------------------------

int32_t treeDepth() {
  if (!tree.root) return 0;
  int32_t deepest = 0;
  std::vector<std::pair<const CollisionEdge*, int32_t>> stack{{tree.root, 1}};
  while (!stack.empty()) {
    const auto [node, depth] = stack.back();
    stack.pop_back();
    deepest = std::max(deepest, depth);
    if (node->backChild) stack.push_back({node->backChild, depth + 1});
    if (node->frontChild) stack.push_back({node->frontChild, depth + 1});
  }
  return deepest;
}

// ---- Circle queries ---------------------------------------------------------------------

struct ContactPoint {
  Vec2 point;
  float friction;
};

// The state of the current circle query, kept between calls so that its lists keep their
// capacity.
struct CircleQuery {
  Vec2* centre = nullptr;
  float radius = 0.0f;
  std::vector<const CollisionEdge*> candidates;
  std::vector<ContactPoint> contacts;
  std::vector<const CollisionEdge*> stack;
  Vec2 directionSum;
  float frictionSum = 0.0f;
  int32_t count = 0;
  Vec2 direction;
  float friction = 1.0f;
};

CircleQuery query;

void beginQuery(Vec2& centre, float radius) {
  query.directionSum = {};
  query.frictionSum = 0.0f;
  query.count = 0;
  query.centre = &centre;
  query.radius = radius;
}

// An edge whose line the circle reaches: within the edge's length both the edge and the
// nearest point on it; past an end but within the radius of it, that end point.
void gatherEdge(const CollisionEdge& edge) {
  const float r = query.radius;
  const float t = edge.along(*query.centre);
  if (t >= 0.0f && t <= edge.length) {
    query.candidates.push_back(&edge);
    query.contacts.push_back({edge.start + edge.direction * t, edge.friction});
  } else if (t >= -r && t <= edge.length + r) {
    query.contacts.push_back({t < 0.0f ? edge.start : edge.end, edge.friction});
  }
}

void gatherMovingEdges() {
  const float r = query.radius;
  for (const CollisionEdge& edge : movingEdges()) {
    const float d = edge.signedDistance(*query.centre);
    if (d >= -r && d <= r) gatherEdge(edge);
  }
}

// A subtree on one side of a node's line is visited only when the circle reaches that side.
// The stack gives the same order as visiting node, back subtree, front subtree recursively.
void gatherTreeEdges() {
  const float r = query.radius;
  std::vector<const CollisionEdge*>& stack = query.stack;
  stack.clear();
  if (tree.root) stack.push_back(tree.root);
  while (!stack.empty()) {
    const CollisionEdge* node = stack.back();
    stack.pop_back();
    const float d = node->signedDistance(*query.centre);
    if (d >= r) {
      if (node->frontChild) stack.push_back(node->frontChild);
    } else if (d < -r) {
      if (node->backChild) stack.push_back(node->backChild);
    } else {
      if (node->active) gatherEdge(*node);
      if (node->frontChild) stack.push_back(node->frontChild);
      if (node->backChild) stack.push_back(node->backChild);
    }
  }
}

void addContact(Vec2 direction, float friction) {
  query.directionSum += direction;
  query.frictionSum += friction;
  ++query.count;
}

// Pushes the circle off each contact point it still covers, then behind each candidate
// edge's line to its free side; true when anything moved it (or left it just touching).
bool resolvePass() {
  Vec2& c = *query.centre;
  const float r = query.radius;
  bool touched = false;
  for (const ContactPoint& contact : query.contacts) {
    const Vec2 delta = contact.point - c;
    const float d = length(delta);
    if (d > 0.0f && d < r) {
      const Vec2 towards = delta / d;
      c -= towards * (r - d);
      addContact(towards, contact.friction);
      touched = true;
    }
  }
  for (const CollisionEdge* edge : query.candidates) {
    const float d = edge->signedDistance(c);
    if (d >= -r) {
      c -= edge->normal * (r + d);
      addContact(edge->normal, edge->friction);
      touched = true;
    }
  }
  return touched;
}

constexpr int kResolvePasses = 3;

bool finishQuery() {
  bool touched = false;
  for (int pass = 0; pass < kResolvePasses; ++pass) {
    if (!resolvePass()) break;
    touched = true;
  }
  if (query.count > 0) {
    query.direction = query.directionSum / float(query.count);
    query.friction = query.frictionSum / float(query.count);
  } else {
    query.direction = {};
    query.friction = 1.0f;
  }
  query.candidates.clear();
  query.contacts.clear();
  return touched;
}

// ---- Ray cast ---------------------------------------------------------------------------

// A ray starting on an edge (within the touch distance, ends included) hits it where it
// starts, kept clear of the edge's ends.
bool touchesAtStart(const CollisionEdge& edge, Vec2 from, float fromDistance, Vec2& to) {
  if (std::fabs(fromDistance) > kTouchDistance) return false;
  float t = edge.along(from);
  if (t <= -kTouchDistance || t >= edge.length + kTouchDistance) return false;
  t = std::max(t, kTouchDistance);
  t = std::min(t, edge.length - kTouchDistance);
  to = edge.start + edge.direction * t;
  return true;
}

// Front to back from the ray's start: the subtree on the start's side first, then the node
// itself, then the far side. A ray that stays on one side visits that side only.
CollisionEdge* castThrough(CollisionEdge* node, Vec2 from, Vec2& to, const RayHitTest& ray) {
  while (node) {
    const float df = node->signedDistance(from);
    const float de = node->signedDistance(to);
    if (touchesAtStart(*node, from, df, to)) return node;
    const bool startBehind = df < 0.0f;
    CollisionEdge* nearSide = startBehind ? node->backChild : node->frontChild;
    CollisionEdge* farSide = startBehind ? node->frontChild : node->backChild;
    if (startBehind == (de < 0.0f)) {
      node = nearSide;
      continue;
    }
    if (CollisionEdge* hit = castThrough(nearSide, from, to, ray)) return hit;
    if (node->active && ray.hits(node->start, node->end, to)) return node;
    node = farSide;
  }
  return nullptr;
}

// ---- Console entries --------------------------------------------------------------------

int32_t bspSize() {
  return int32_t(tree.nodes.size());
}

int32_t bspDepth() {
  return treeDepth();
}

void printWalkOptions() {
  const CollisionEdge* node = tree.walkNode;
  console::print("\nWalk options for current node: ");
  if (node != tree.root) console::print("ROOT ");
  if (node->parent) console::print("PARENT ");
  if (node->backChild) console::print("LEFT ");
  if (node->frontChild) console::print("RIGHT ");
}

void printWalkWords() {
  console::print("\nUnrecognised tree walk command. Valid commands are: ");
  console::print("\n");
  console::print("\nBspTreeWalk LEFT");
  console::print("\nBspTreeWalk RIGHT");
  console::print("\nBspTreeWalk PARENT");
  console::print("\nBspTreeWalk ROOT");
  console::print("\n");
}

// Moves the walk node to `next`, or says why it cannot.
void walkTo(CollisionEdge* next, const char* missing) {
  if (next) {
    tree.walkNode = next;
  } else {
    console::print(missing);
  }
}

void bspWalk(const std::string& text) {
  if (!tree.root) return;
  const std::string word = upperCased(text);
  CollisionEdge* node = tree.walkNode;
  if (word == "PARENT") {
    walkTo(node->parent, "\nNo parent node at current node.");
  } else if (word == "LEFT") {
    walkTo(node->backChild, "\nNo left child node at current node.");
  } else if (word == "RIGHT") {
    walkTo(node->frontChild, "\nNo right child node at current node.");
  } else if (word == "ROOT") {
    walkTo(node == tree.root ? nullptr : tree.root, "\nAlready at root node.");
  } else {
    printWalkWords();
  }
  printWalkOptions();
}

// Rays from one point in random directions, far enough to leave any level.
void castRandomRays(Vec2 origin) {
  for (int round = 0; round < kCastRounds; ++round) {
    for (int k = 0; k < kCastRays; ++k) {
      const float r1 = rng::uniform();
      const float r2 = rng::uniform();
      tree.castStarts[size_t(k)] = origin;
      tree.castEnds[size_t(k)] = origin + Vec2{r1 - 0.5f, r2 - 0.5f} * kCastReach;
      castRay(origin, tree.castEnds[size_t(k)]);
    }
  }
  tree.haveCastRays = true;
}

void printCastResults(float seconds, uint32_t milliseconds) {
  constexpr uint32_t kTotal = uint32_t(kCastRays) * uint32_t(kCastRounds);
  console::printHeading("Test ray cast results");
  console::print("\nTest cast rays:              ");
  console::print(uint32_t(kCastRays));
  console::print("\nTest cast iterations:        ");
  console::print(uint32_t(kCastRounds));
  console::print("\nTotal rays cast:             ");
  console::print(kTotal);
  console::print("\nSeconds taken:               ");
  console::print(seconds);
  console::print("\nClocks taken:                ");
  console::print(milliseconds);
  console::print("\nRays per second (average):   ");
  console::print(float(kTotal) / seconds);
}

void bspCast(const std::string& text) {
  const std::vector<std::string> words = splitWords(text);
  if (words.size() != 2 || !isNumber(words[0]) || !isNumber(words[1])) {
    console::print("\nUSAGE: BspCast < number > < number >");
    return;
  }
  const Stopwatch stopwatch;
  castRandomRays({toNumber(words[0]), toNumber(words[1])});
  printCastResults(float(stopwatch.seconds()), stopwatch.milliseconds());
}

bool bspWalkDraw(bool value, bool set) {
  return console::variableValue(tree.walkDraw, value, set);
}
bool bspCastDraw(bool value, bool set) {
  return console::variableValue(tree.castDraw, value, set);
}
bool bspSplitDraw(bool value, bool set) {
  return console::variableValue(tree.splitDraw, value, set);
}
bool bspNodeDraw(bool value, bool set) {
  return console::variableValue(tree.nodeDraw, value, set);
}

// Registered by every build and removed by destroyCollisionTree, both from this table.
const console::NamedCommand kTreeEntries[] = {
    {"BspSize", bspSize},           {"BspDepth", bspDepth},       {"BspWalk", bspWalk},
    {"BspWalkDraw", bspWalkDraw},   {"BspCast", bspCast},         {"BspCastDraw", bspCastDraw},
    {"BspSplitDraw", bspSplitDraw}, {"BspNodeDraw", bspNodeDraw},
};

// ---- Building stages --------------------------------------------------------------------

void plantTree(std::vector<CollisionEdge> edges) {
  CollisionEdge& root = adoptNode(edges, chooseSplitter(edges));
  tree.root = &root;
  buildSubtrees(root, std::move(edges));
}

void reportBuildTime(const Stopwatch& stopwatch) {
  console::print("\nBsp Tree created in ");
  console::print(float(stopwatch.seconds()));
  console::print(" seconds.");
}

}  // namespace

// The outline in order, closed back to its first point; the winding decides which way each
// edge runs so that its normal points into the polygon.
void collectPolygonEdges(Polygon& polygon, std::vector<CollisionEdge>& edges) {
  CollisionEdge model;
  model.friction = polygon.friction();
  model.cutter = !polygon.solid && !polygon.visible;
  model.polygon = &polygon;
  const bool forwards = polygon.windingFlag() == 1;
  const size_t n = polygon.pointCount();
  for (size_t i = 0; i < n; ++i) {
    const Vec2 a = polygon.outlinePoint(i);
    const Vec2 b = polygon.outlinePoint(i + 1 < n ? i + 1 : 0);
    const CollisionEdge edge = forwards ? makeEdge(a, b, model) : makeEdge(b, a, model);
    if (edge.length > kMinimumLength) edges.push_back(edge);
  }
}

void buildCollisionTree() {
  destroyCollisionTree();
  const Stopwatch stopwatch;
  clearDebugFlags();
  console::print("\nCreating the level bsp tree...");
  console::addCommands(kTreeEntries);
  std::vector<CollisionEdge> edges = collectLevelEdges();
  if (edges.empty()) return;
  edges = cleanEdges(std::move(edges));
  if (edges.empty()) return;
  plantTree(std::move(edges));
  reportBuildTime(stopwatch);
  tree.walkNode = tree.root;
}

void destroyCollisionTree() {
  tree.nodes.clear();
  tree.root = nullptr;
  tree.walkNode = nullptr;
  console::removeCommands(kTreeEntries);
}

void resetCollisionTree() {
  clearDebugFlags();
  for (CollisionEdge& node : tree.nodes) node.active = true;
}

std::vector<CollisionEdge>& movingEdges() {
  static std::vector<CollisionEdge> edges;
  return edges;
}

void collectEdges(std::vector<CollisionEdge*>& list) {
  std::vector<CollisionEdge*> stack;
  CollisionEdge* node = tree.root;
  while (node || !stack.empty()) {
    for (; node; node = node->backChild) stack.push_back(node);
    node = stack.back();
    stack.pop_back();
    list.push_back(node);
    node = node->frontChild;
  }
}

bool collideCircle(Vec2& centre, float radius) {
  beginQuery(centre, radius);
  gatherMovingEdges();
  gatherTreeEdges();
  return finishQuery();
}

bool collideCircleStatic(Vec2& centre, float radius) {
  beginQuery(centre, radius);
  gatherTreeEdges();
  return finishQuery();
}

Vec2 contactDirection() {
  return query.direction;
}

float contactFriction() {
  return query.friction;
}

CollisionEdge* castRay(Vec2 from, Vec2& to) {
  if (!tree.root || from == to) return nullptr;
  // `to` changes only on the hit that ends the cast, so the ray is prepared once.
  return castThrough(tree.root, from, to, RayHitTest(from, to));
}

DebugView debugView() {
  DebugView view;
  view.root = tree.root;
  view.walkNode = tree.walkNode;
  view.walkDraw = tree.walkDraw;
  view.castDraw = tree.castDraw;
  view.splitDraw = tree.splitDraw;
  view.nodeDraw = tree.nodeDraw;
  if (tree.haveCastRays) {
    view.castStarts = tree.castStarts.data();
    view.castEnds = tree.castEnds.data();
  }
  return view;
}

}  // namespace collision
