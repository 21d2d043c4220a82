// The desktop icon: each size is the same drop, shrunk without losing or gaining coverage,
// water blue in its lower half and clear in the corners, named after its size.

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "tools/imagegen/icon_images.h"

namespace {

double coverage(const Image& image) {
  double sum = 0.0;
  for (std::size_t i = 3; i < image.rgba.size(); i += 4) sum += image.rgba[i];
  return sum / (255.0 * image.width * image.height);
}

}  // namespace

TEST(IconImages, EverySizeShowsTheSameDrop) {
  const std::vector<NamedImage> icons = drawIcons();
  ASSERT_EQ(icons.size(), std::size(kIconSizes));
  const double largest = coverage(icons.back().image);
  EXPECT_GT(largest, 0.3);
  for (std::size_t i = 0; i < icons.size(); ++i) {
    const int size = kIconSizes[i];
    const Image& icon = icons[i].image;
    SCOPED_TRACE(icons[i].fileName);
    EXPECT_EQ(icons[i].fileName, std::to_string(size) + "x" + std::to_string(size) + ".png");
    ASSERT_EQ(icon.width, size);
    ASSERT_EQ(icon.height, size);
    EXPECT_NEAR(coverage(icon), largest, 0.01);
    EXPECT_EQ(icon.pixel(0, 0)[3], 0);
    EXPECT_EQ(icon.pixel(size - 1, size - 1)[3], 0);
    const std::uint8_t* water = icon.pixel(size / 2, size * 3 / 4);
    EXPECT_GT(water[3], 200);
    EXPECT_GT(water[2], water[0] + 60);
  }
}
