// Each backdrop mixes two shades in [0, 1]: the wash every backdrop shares (broad and fine
// value noise) and its structure, where joints, seams and cracks are dark and faces light.
// The sum picks a colour between the theme's dark and light ends, which keeps every backdrop
// within its own narrow, dim range whatever the pattern does.

#include "tools/imagegen/level_backdrops.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "tools/imagegen/noise.h"

namespace {

constexpr int kSide = 256;

struct Rgb {
  float r, g, b;
};

enum class Structure { Rock, Bricks, Plates, Frost, Tiles, Slats, Girders, Ember };

struct Theme {
  const char* fileName;
  Rgb dark;
  Rgb light;
  Structure structure;
  std::uint32_t seed;
};

// Dark ends stay near black and light ends below a third of full brightness.
constexpr Theme kThemes[] = {
    {"backdrop_cave.tga", {14, 24, 30}, {52, 74, 84}, Structure::Rock, 0xca7eu},
    {"backdrop_brick.tga", {22, 20, 26}, {70, 62, 70}, Structure::Bricks, 0xb41cu},
    {"backdrop_boiler.tga", {26, 15, 11}, {80, 48, 32}, Structure::Plates, 0xb011u},
    {"backdrop_frost.tga", {14, 24, 34}, {62, 86, 104}, Structure::Frost, 0x1ce5u},
    {"backdrop_lift_shaft.tga", {18, 20, 24}, {66, 72, 80}, Structure::Girders, 0x11f7u},
    {"backdrop_cistern.tga", {10, 24, 24}, {40, 74, 70}, Structure::Tiles, 0xc157u},
    {"backdrop_vent.tga", {16, 20, 22}, {62, 70, 72}, Structure::Slats, 0xfa11u},
    {"backdrop_sewer.tga", {16, 22, 14}, {60, 72, 48}, Structure::Bricks, 0x5e3eu},
    {"backdrop_vault.tga", {22, 20, 30}, {74, 68, 92}, Structure::Tiles, 0x7a17u},
    {"backdrop_machine_hall.tga", {24, 22, 18}, {80, 74, 62}, Structure::Plates, 0xc245u},
    {"backdrop_ember_frost.tga", {22, 17, 20}, {78, 62, 68}, Structure::Ember, 0xf1eeu},
    {"backdrop_deep_cavern.tga", {12, 12, 24}, {48, 46, 76}, Structure::Rock, 0xdee9u},
};

float wash(int x, int y, std::uint32_t seed) {
  return 0.6f * valueNoise(x, y, 64, kSide, seed) + 0.4f * valueNoise(x, y, 16, kSide, seed + 1);
}

// Rough rock with thin dark cracks where a second noise passes through its middle.
float rock(int x, int y, std::uint32_t seed) {
  const float crack = std::abs(valueNoise(x, y, 32, kSide, seed + 2) - 0.5f);
  return 0.7f * valueNoise(x, y, 8, kSide, seed + 3) + (crack < 0.015f ? 0.0f : 0.3f);
}

// Courses of bricks `height` high and twice as long, every other course shifted by half a
// brick, each brick a tone of its own and the mortar dark.
float bricks(int x, int y, int height, std::uint32_t seed) {
  const int course = y / height;
  const int shifted = (x + (course % 2) * height) % kSide;
  const bool mortar = y % height < 2 || shifted % (2 * height) < 2;
  if (mortar) return 0.05f;
  return 0.45f + 0.35f * unitHash(shifted / (2 * height), course, seed) +
         0.2f * valueNoise(x, y, 4, kSide, seed + 4);
}

// Square plates with a dark seam, a lit edge below it and a rivet near each corner.
float plates(int x, int y, int size, std::uint32_t seed) {
  const int px = x % size;
  const int py = y % size;
  if (px == 0 || py == 0) return 0.0f;
  if (px == 1 || py == 1) return 0.9f;
  const int rx = std::min(px, size - px) - 7;
  const int ry = std::min(py, size - py) - 7;
  if (rx * rx + ry * ry <= 4) return 0.95f - 0.1f * float(rx + ry);
  return 0.4f + 0.3f * unitHash(x / size, y / size, seed) +
         0.15f * valueNoise(x / 6, y, 2, kSide, seed + 5);
}

// Frost: fine grain crossed by bright needles along both diagonals where noise allows them.
float frost(int x, int y, std::uint32_t seed) {
  const float needles = std::max(std::abs(std::sin(float(x + y) * 0.19f)),
                                 std::abs(std::sin(float(x - y + kSide) * 0.23f)));
  const float where = valueNoise(x, y, 32, kSide, seed + 6);
  return 0.45f * valueNoise(x, y, 4, kSide, seed + 7) +
         0.55f * (needles > 0.985f && where > 0.55f ? 1.0f : 0.3f);
}

// Square tiles `size` a side with thin grout, each tile a tone of its own.
float tiles(int x, int y, int size, std::uint32_t seed) {
  if (x % size < 2 || y % size < 2) return 0.1f;
  return 0.5f + 0.3f * unitHash(x / size, y / size, seed) +
         0.2f * valueNoise(x, y, 8, kSide, seed + 8);
}

// Sloping slats of a vent, `pitch` apart: lit at the top of each, shadowed underneath.
float slats(int x, int y, int pitch, std::uint32_t seed) {
  const float within = float(y % pitch) / float(pitch);
  return 0.85f * (1.0f - within) + 0.15f * valueNoise(x, y, 16, kSide, seed + 9);
}

// Riveted plates crossed by an upright girder every half picture, its flanges lit.
float girders(int x, int y, std::uint32_t seed) {
  const int across = x % (kSide / 2);
  if (across < 24) return across < 3 || across > 20 ? 0.95f : 0.6f;
  return 0.8f * plates(x, y, 64, seed);
}

float structureShade(const Theme& theme, int x, int y) {
  switch (theme.structure) {
    case Structure::Rock: return rock(x, y, theme.seed);
    case Structure::Bricks: return bricks(x, y, 32, theme.seed);
    case Structure::Plates: return plates(x, y, 64, theme.seed);
    case Structure::Frost: return frost(x, y, theme.seed);
    case Structure::Tiles: return tiles(x, y, 32, theme.seed);
    case Structure::Slats: return slats(x, y, 16, theme.seed);
    case Structure::Girders: return girders(x, y, theme.seed);
    case Structure::Ember: return rock(x, y, theme.seed);
  }
  return 0.0f;
}

// Fire and ice: patches a few to a picture, so the tiling doesn't show, lean a little to a
// dull ember red or to a cold grey-blue over the same rock.
Rgb emberOrFrost(const Rgb& colour, int x, int y, std::uint32_t seed) {
  const float side = smoothstep(valueNoise(x, y, 64, kSide, seed + 10));
  return {colour.r * (0.88f + 0.24f * side), colour.g * 0.92f, colour.b * (1.04f - 0.2f * side)};
}

Image drawThemedBackdrop(const Theme& theme) {
  Image image(kSide, kSide);
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      const float t = 0.5f * wash(x, y, theme.seed) + 0.5f * structureShade(theme, x, y);
      Rgb c{theme.dark.r + (theme.light.r - theme.dark.r) * t,
            theme.dark.g + (theme.light.g - theme.dark.g) * t,
            theme.dark.b + (theme.light.b - theme.dark.b) * t};
      if (theme.structure == Structure::Ember) c = emberOrFrost(c, x, y, theme.seed);
      image.setPixel(x, y, toByte(c.r), toByte(c.g), toByte(c.b), 255);
    }
  }
  return image;
}

}  // namespace

std::vector<NamedImage> drawLevelBackdrops() {
  std::vector<NamedImage> images;
  for (const Theme& theme : kThemes) images.push_back({theme.fileName, drawThemedBackdrop(theme)});
  return images;
}
