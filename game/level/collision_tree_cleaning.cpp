// The cleaning pass before the tree is built walks the collected edges pair by pair: an edge
// met by its exact reverse (two polygons touching) vanishes with it, an edge running straight
// on into the next one is merged into it, and collinear edges that overlap are replaced by the
// pieces of each that the other does not cover; the pieces go to the back of the list so they
// are compared again. Edges of cutter polygons take part only in this pass, so they open the
// walls they lie against. Every pair is compared, so the partner search runs over the end
// points in blocks (collision_tree_internal.h) and passes over a block whose box cannot pair.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "game/level/collision_tree_internal.h"
#include "game/level/polygon.h"

namespace collision::detail {
namespace {

constexpr float kSamePoint = 0.01f;        // per coordinate, for joining end points
constexpr float kCollinear = 0.01f;        // distance of an edge's ends from another's line
constexpr float kOverlapMargin = 0.0001f;  // an end this far inside the other edge overlaps
constexpr float kInsideMargin = 0.01f;     // an end this far inside the other edge is cut at
constexpr float kStraightOn = 0.9999f;     // directions' dot product for a merge

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

}  // namespace

std::vector<CollisionEdge> cleanEdges(std::vector<CollisionEdge> edges) {
  CleaningList list(std::move(edges));
  list.clean();
  return list.survivors();
}

}  // namespace collision::detail
