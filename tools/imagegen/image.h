#pragma once
// A plain 32-bit picture in memory: rows from the top, four bytes a pixel in R, G, B, A order.

#include <cstdint>
#include <string>
#include <vector>

struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;

  Image() = default;
  // A fully transparent black picture of the given size.
  Image(int w, int h) : width(w), height(h), rgba(static_cast<std::size_t>(w) * h * 4, 0) {}

  // The first of the pixel's four bytes; (0, 0) is the top-left corner.
  std::uint8_t* pixel(int x, int y) { return &rgba[(static_cast<std::size_t>(y) * width + x) * 4]; }
  const std::uint8_t* pixel(int x, int y) const {
    return &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
  }
  void setPixel(int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a) {
    std::uint8_t* p = pixel(x, y);
    p[0] = r;
    p[1] = g;
    p[2] = b;
    p[3] = a;
  }
};

// A picture and the file it is written to, below the folder the generator writes into.
struct NamedImage {
  std::string fileName;
  Image image;
};
