#include "game/level/triangulation.h"

#include <algorithm>

#include "common/vector2.h"
#include "game/level/geometry.h"

namespace {

// Two edges whose unit directions agree this closely are one straight side.
constexpr float kStraight = 0.9999f;

struct ChainEdge {
  Vec2 start;
  Vec2 end;
};

Vec2 unitDirection(const ChainEdge& e) {
  return normalised(e.end - e.start);
}

bool runStraight(const ChainEdge& first, const ChainEdge& second) {
  return dot(unitDirection(first), unitDirection(second)) >= kStraight;
}

// The outline as an open chain of its edges, with every straight run merged into one edge.
std::vector<ChainEdge> mergedChain(std::span<const float> x, std::span<const float> y) {
  std::vector<ChainEdge> chain;
  for (size_t i = 0; i + 1 < x.size(); ++i) {
    const ChainEdge edge{{x[i], y[i]}, {x[i + 1], y[i + 1]}};
    if (!chain.empty() && runStraight(chain.back(), edge))
      chain.back().end = edge.end;
    else
      chain.push_back(edge);
  }
  return chain;
}

// When the first and last chain edges both run straight on along the closing side, the
// point where the chain starts lies on a straight side: the last edge becomes the closing
// side and the first edge starts where the last one ended.
void mergeSeam(std::vector<ChainEdge>& chain) {
  if (chain.size() < 2) return;
  const ChainEdge closing{chain.back().end, chain.front().start};
  if (runStraight(chain.front(), closing) && runStraight(chain.back(), closing)) {
    chain.front().start = chain.back().end;
    chain.pop_back();
  }
}

Vec2 edgeNormal(Vec2 a, Vec2 b) {
  return {-(b.y - a.y), b.x - a.x};
}

bool diagonalCrossesChain(Vec2 a, Vec2 c, const std::vector<ChainEdge>& chain) {
  for (const ChainEdge& e : chain)
    if (segmentsCross(a, c, e.start, e.end)) return true;
  return segmentsCross(a, c, chain.back().end, chain.front().start);
}

// The corner b of a -> b -> c turns the interior's way.
bool isConvexCorner(Vec2 a, Vec2 b, Vec2 c, int w) {
  const Vec2 mid = (a + c) * 0.5f;
  const float sign = w == 0 ? -1.0f : 1.0f;
  return dot(mid - b, edgeNormal(a, b) * sign) >= 0.0f &&
         dot(mid - b, edgeNormal(b, c) * sign) >= 0.0f;
}

bool triangleHoldsChainVertex(const Vec2 (&corners)[3], const std::vector<ChainEdge>& chain) {
  auto holds = [&](Vec2 v) {
    if (v == corners[0] || v == corners[1] || v == corners[2]) return false;
    return pointInConvex(v, corners);
  };
  for (const ChainEdge& e : chain)
    if (holds(e.start)) return true;
  return holds(chain.back().end);
}

// Cuts the first ear of the chain into `out`; false when the chain has none.
bool clipEar(std::vector<ChainEdge>& chain, int w, Triangulation& out) {
  for (size_t k = 0; k + 1 < chain.size(); ++k) {
    const Vec2 a = chain[k].start, b = chain[k].end, c = chain[k + 1].end;
    // Every test only skips the pair, so the cheap ones go first.
    if (runStraight(chain[k], chain[k + 1])) continue;
    if (!isConvexCorner(a, b, c, w)) continue;
    const Vec2 corners[3] = {a, w == 1 ? b : c, w == 1 ? c : b};
    if (triangleHoldsChainVertex(corners, chain)) continue;
    if (diagonalCrossesChain(a, c, chain)) continue;
    for (const Vec2& corner : corners) {
      out.x.push_back(corner.x);
      out.y.push_back(corner.y);
    }
    chain[k].end = c;
    chain.erase(chain.begin() + static_cast<std::ptrdiff_t>(k) + 1);
    return true;
  }
  return false;
}

// One attempt with winding w on an outline known not to cross itself.
bool clipAllEars(std::span<const float> x, std::span<const float> y, int w, Triangulation& out) {
  out.windingFlag = static_cast<uint8_t>(w);
  std::vector<ChainEdge> chain = mergedChain(x, y);
  mergeSeam(chain);
  if (chain.size() < 2) return true;
  out.x.reserve((chain.size() - 1) * 3);
  out.y.reserve((chain.size() - 1) * 3);
  while (chain.size() >= 2) {
    if (!clipEar(chain, w, out)) {
      out.clearTriangles();
      return false;
    }
  }
  edgeNormals(out);
  return true;
}

}  // namespace

void Triangulation::clearTriangles() {
  x.clear();
  y.clear();
  normalX.clear();
  normalY.clear();
}

void triangulate(std::span<const float> x, std::span<const float> y, int w, Triangulation& out) {
  out.clearTriangles();
  if (crossesItself(x, y)) return;
  if (!clipAllEars(x, y, w, out) && w == 1) clipAllEars(x, y, 0, out);
}

void edgeNormals(Triangulation& out) {
  out.normalX.resize(out.x.size());
  out.normalY.resize(out.y.size());
  for (size_t t = 0; t < out.x.size(); t += 3) {
    for (size_t k = 0; k < 3; ++k) {
      const size_t from = t + k, to = t + (k + 1) % 3;
      Vec2 e{out.x[to] - out.x[from], out.y[to] - out.y[from]};
      const float l = length(e);
      if (l > 0.0f) e = e / l;
      out.normalX[from] = -e.y;
      out.normalY[from] = e.x;
    }
  }
}

size_t longestUncrossedPrefix(std::span<const float> x, std::span<const float> y, size_t from) {
  const size_t n = x.size();
  auto edgesCross = [&](size_t a1, size_t a2, size_t b1, size_t b2) {
    return segmentsCross({x[a1], y[a1]}, {x[a2], y[a2]}, {x[b1], y[b1]}, {x[b2], y[b2]});
  };
  // Crossings among the open chain's edges only grow as points are added: find the first
  // prefix whose chain crosses, then test only the closing side of the shorter ones.
  size_t chainCrossesAt = n + 1;
  for (size_t k = 3; k <= n && chainCrossesAt > n; ++k)
    for (size_t j = 0; j + 2 < k; ++j)
      if (edgesCross(k - 2, k - 1, j, j + 1)) chainCrossesAt = k;
  for (size_t k = std::min(n, chainCrossesAt - 1); k >= 3 && k > from; --k) {
    bool closingCrosses = false;
    for (size_t j = 0; j + 1 < k && !closingCrosses; ++j)
      closingCrosses = edgesCross(k - 1, 0, j, j + 1);
    if (!closingCrosses) return k;
  }
  return 0;
}
