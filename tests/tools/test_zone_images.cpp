// The trigger areas' fields are laid over areas of any size, so each must tile: the step
// from its last column to its first (and from its last row to its first) may be no larger
// than the largest step between neighbouring columns (rows) inside it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "tools/imagegen/zone_images.h"

namespace {

// The mean difference over the four channels between lines `a` and `b`: columns, or rows
// when `rows`.
double lineStep(const Image& image, int a, int b, bool rows) {
  long sum = 0;
  const int length = rows ? image.width : image.height;
  for (int i = 0; i < length; ++i) {
    const std::uint8_t* p = rows ? image.pixel(i, a) : image.pixel(a, i);
    const std::uint8_t* q = rows ? image.pixel(i, b) : image.pixel(b, i);
    for (int c = 0; c < 4; ++c) sum += std::abs(p[c] - q[c]);
  }
  return double(sum) / (length * 4);
}

}  // namespace

TEST(ZoneImages, FieldsTileWithoutASeam) {
  int fields = 0;
  for (const NamedImage& named : drawZoneImages()) {
    if (named.fileName.rfind("zone/", 0) != 0) continue;
    SCOPED_TRACE(named.fileName);
    ++fields;
    const Image& image = named.image;
    for (const bool rows : {false, true}) {
      const int count = rows ? image.height : image.width;
      double largestInside = 0.0;
      for (int i = 1; i < count; ++i)
        largestInside = std::max(largestInside, lineStep(image, i - 1, i, rows));
      EXPECT_LE(lineStep(image, count - 1, 0, rows), largestInside) << (rows ? "rows" : "columns");
    }
  }
  EXPECT_GT(fields, 0);
}
