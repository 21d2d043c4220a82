#include "game/level/polygon.h"

#include <algorithm>

#include "game/level/geometry.h"

void Polygon::setFriction(float value) {
  friction_ = std::clamp(value, 0.0f, 1.0f);
}

void Polygon::addPoint(float x, float y) {
  for (size_t i = 0; i < outlineX_.size(); ++i)
    if (outlineX_[i] == x && outlineY_[i] == y) return;
  outlineX_.push_back(x);
  outlineY_.push_back(y);
}

const Triangulation& Polygon::triangulation() const {
  if (triangulatedPoints_ != outlineX_.size()) retriangulate();
  return triangulation_;
}

// Triangulating after every point would end with the final outline's triangles; only the
// winding of a final outline that crosses itself needs the history, since a crossing
// outline leaves the winding of the last outline that did not cross.
void Polygon::retriangulate() const {
  const size_t n = outlineX_.size();
  if (crossesItself(outlineX_, outlineY_)) {
    triangulation_.clearTriangles();
    const size_t k = longestUncrossedPrefix(outlineX_, outlineY_, triangulatedPoints_);
    if (k > 0) {
      Triangulation prefix;
      triangulate(std::span(outlineX_).first(k), std::span(outlineY_).first(k), 1, prefix);
      triangulation_.windingFlag = prefix.windingFlag;
    }
  } else {
    triangulate(outlineX_, outlineY_, 1, triangulation_);
  }
  triangulatedPoints_ = n;
}
