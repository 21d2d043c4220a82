#pragma once
// Ear-clipping triangulation of a polygon outline. The outline is taken as an open chain
// p0 -> p1 -> ... -> pn-1 closed by the side back to p0; straight runs of the chain are
// merged first, then ears are cut from the front of the chain until one edge is left.
// The winding is not known in advance: the clipping is tried with the interior on the
// normal side of the edges (winding 1) and, when no ear can be found, on the other side
// (winding 0). The winding that worked fixes the direction of the polygon's collision edges.

#include <cstdint>
#include <span>
#include <vector>

struct Triangulation {
  // 1 when the interior lies on the normal side (-dy, dx) of the outline's edges, else 0.
  uint8_t windingFlag = 1;
  // Three corners per triangle.
  std::vector<float> x, y;
  // Per corner k, the unit normal of the triangle edge from corner k to corner k + 1.
  std::vector<float> normalX, normalY;

  int32_t triangleCount() const { return static_cast<int32_t>(x.size() / 3); }
  void clearTriangles();
};

// Triangulates the closed outline (x[i], y[i]) into `out`, trying winding `w` first (and 0
// after a failed 1). A self-crossing outline gets no triangles and keeps out's winding.
void triangulate(std::span<const float> x, std::span<const float> y, int w, Triangulation& out);

// Fills out's normals from its triangles.
void edgeNormals(Triangulation& out);

// The largest k above `from` whose first k points form an outline that does not cross
// itself; 0 when there is none. Tells which triangulation a point-by-point build saw last.
size_t longestUncrossedPrefix(std::span<const float> x, std::span<const float> y, size_t from);
