#pragma once
// A picture being painted in layers: each layer is laid over what is there with the usual
// "over" blend, in floating point, and only the finished picture is rounded to bytes. The
// menu pictures are built this way from masks: a shape, its rim, its outline, its glow.

#include "tools/imagegen/image.h"
#include "tools/imagegen/mask.h"

struct Colour {
  float r = 0.0f;
  float g = 0.0f;
  float b = 0.0f;
};

// Colours are given as bytes in the painting code, where they read as the numbers a colour
// picker shows.
constexpr Colour rgb(int r, int g, int b) {
  return {static_cast<float>(r) / 255.0f, static_cast<float>(g) / 255.0f,
          static_cast<float>(b) / 255.0f};
}

Colour mix(Colour a, Colour b, float t);
Colour scaled(Colour c, float factor);

class Canvas {
 public:
  // Fully transparent.
  Canvas(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }

  // Lays `colour` over one pixel with opacity `alpha`; pixels outside are ignored.
  void blend(int x, int y, Colour colour, float alpha);
  // Makes one pixel fully transparent again, cutting a window into what is painted.
  void clear(int x, int y);
  // Lays `colour` wherever `mask` covers, times `opacity`; the mask's top-left at (x, y).
  void blendMask(const Mask& mask, int x, int y, Colour colour, float opacity);

  // The picture in bytes; colour is stored premultiplied while painting and divided out here.
  // Clear pixels next to painted ones take their neighbours' colour (still clear), so the
  // game's filtering and mipmaps fade an edge out instead of darkening it towards black.
  Image toImage() const;

 private:
  int width_;
  int height_;
  std::vector<float> premultiplied_;  // r, g, b, a per pixel, rows from the top
};
