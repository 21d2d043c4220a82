#include "tools/imagegen/game_images.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "tools/imagegen/decoration_images.h"
#include "tools/imagegen/default_images.h"
#include "tools/imagegen/font_sheet.h"
#include "tools/imagegen/freetype_face.h"
#include "tools/imagegen/launcher_background.h"
#include "tools/imagegen/level_backdrops.h"
#include "tools/imagegen/menu_images.h"
#include "tools/imagegen/noise.h"
#include "tools/imagegen/sign_images.h"
#include "tools/imagegen/splash_images.h"
#include "tools/imagegen/zone_images.h"

namespace {

constexpr int kSurfaceSize = 128;
constexpr int kBackdropSize = 256;
constexpr int kSpriteSide = 32;

float fractalNoise(int x, int y, int period, std::uint32_t seed) {
  return 0.5f * valueNoise(x, y, 32, period, seed) + 0.3f * valueNoise(x, y, 8, period, seed + 1) +
         0.2f * valueNoise(x, y, 2, period, seed + 2);
}

// One pixel of a sprite: its brightness (the renderer's colour is multiplied by it) and its
// coverage.
struct SpriteTexel {
  float shade = 1.0f;
  float alpha = 0.0f;
};

// A square sprite whose every pixel comes from `paint` of the offset from the centre in
// units of the sprite's half-side (so -1..1 across it), with v growing downwards as the game
// shows the sprite: the picture's rows are stored from the top, and the game's textures
// turn them over.
template <typename Paint>
Image drawSprite(Paint paint) {
  Image image(kSpriteSide, kSpriteSide);
  const float centre = (kSpriteSide - 1) * 0.5f;
  const float radius = kSpriteSide * 0.5f;
  for (int y = 0; y < kSpriteSide; ++y) {
    for (int x = 0; x < kSpriteSide; ++x) {
      const SpriteTexel texel = paint((static_cast<float>(x) - centre) / radius,
                                      (centre - static_cast<float>(y)) / radius, x, y);
      const std::uint8_t shade = toByte(255.0f * std::clamp(texel.shade, 0.0f, 1.0f));
      image.setPixel(x, y, shade, shade, shade, toByte(255.0f * std::clamp(texel.alpha, 0.0f, 1.0f)));
    }
  }
  return image;
}

// 1 up to `inner`, falling smoothly to 0 at `outer`.
float falloff(float t, float inner, float outer) {
  return 1.0f - smoothstep(std::clamp((t - inner) / (outer - inner), 0.0f, 1.0f));
}

// Inside the arrow outline of the pointer, in pixels from its tip.
bool insideArrow(int x, int y) {
  if (y < 0 || x < 0) return false;
  if (y <= 18) return x <= y * 0.62f;                   // the head, widening downwards
  if (y <= 26) return x >= 4 && x <= 7 + (y - 18) / 3;  // the tail
  return false;
}

}  // namespace

Image drawStone() {
  constexpr std::uint32_t kSeed = 0x7a11u;
  Image image(kSurfaceSize, kSurfaceSize);
  for (int y = 0; y < kSurfaceSize; ++y) {
    for (int x = 0; x < kSurfaceSize; ++x) {
      const float n = fractalNoise(x, y, kSurfaceSize, kSeed);
      // Cracks where a second noise passes through its middle.
      const float crack = std::abs(valueNoise(x, y, 16, kSurfaceSize, kSeed + 9) - 0.5f);
      const float shade = 70.0f + 80.0f * n - (crack < 0.02f ? 28.0f : 0.0f);
      image.setPixel(x, y, toByte(shade * 0.92f), toByte(shade * 0.97f), toByte(shade * 1.08f),
                     255);
    }
  }
  return image;
}

Image drawWood() {
  constexpr int kPlank = 32;
  constexpr std::uint32_t kSeed = 0x900du;
  Image image(kSurfaceSize, kSurfaceSize);
  for (int y = 0; y < kSurfaceSize; ++y) {
    for (int x = 0; x < kSurfaceSize; ++x) {
      const int plank = y / kPlank;
      const float tone = (unitHash(plank, 0, kSeed) - 0.5f) * 30.0f;
      // Grain: stripes along the plank, bent by slow noise.
      const float bend = valueNoise(x, y, 32, kSurfaceSize, kSeed + plank) * 6.0f;
      const float grain = 0.5f + 0.5f * std::sin((static_cast<float>(y) + bend) * 1.7f);
      float shade =
          120.0f + tone + 30.0f * grain + 20.0f * valueNoise(x, y, 4, kSurfaceSize, kSeed + 7);
      if (y % kPlank == 0 || y % kPlank == kPlank - 1) shade *= 0.45f;
      image.setPixel(x, y, toByte(shade * 1.25f), toByte(shade * 0.85f), toByte(shade * 0.5f), 255);
    }
  }
  return image;
}

Image drawMetal() {
  constexpr int kPlate = 64;
  constexpr std::uint32_t kSeed = 0x3e7au;
  Image image(kSurfaceSize, kSurfaceSize);
  for (int y = 0; y < kSurfaceSize; ++y) {
    for (int x = 0; x < kSurfaceSize; ++x) {
      // Brushing: noise stretched along x.
      const float brush = valueNoise(x / 8, y, 2, kSurfaceSize, kSeed);
      float shade = 135.0f + 40.0f * brush;
      const int px = x % kPlate;
      const int py = y % kPlate;
      if (px == 0 || py == 0) shade = 70.0f;
      if (px == 1 || py == 1) shade = 185.0f;
      const int rx = std::min(px, kPlate - px) - 6;
      const int ry = std::min(py, kPlate - py) - 6;
      if (rx * rx + ry * ry <= 5) shade = 205.0f - 12.0f * static_cast<float>(rx + ry);
      image.setPixel(x, y, toByte(shade * 0.95f), toByte(shade), toByte(shade * 1.05f), 255);
    }
  }
  return image;
}

Image drawBackdrop() {
  constexpr std::uint32_t kSeed = 0xbacdu;
  Image image(kBackdropSize, kBackdropSize);
  for (int y = 0; y < kBackdropSize; ++y) {
    for (int x = 0; x < kBackdropSize; ++x) {
      const float n = 0.6f * valueNoise(x, y, 64, kBackdropSize, kSeed) +
                      0.4f * valueNoise(x, y, 16, kBackdropSize, kSeed + 1);
      image.setPixel(x, y, toByte(20.0f + 30.0f * n), toByte(38.0f + 45.0f * n),
                     toByte(52.0f + 60.0f * n), 255);
    }
  }
  return image;
}

// A drop lit from the upper left: bright on that side and darker on the other, brighter
// again towards its edge where a surface catches the light, with a soft glint off the centre
// and an edge that thins out. Where drops overlap, only the outer drops show their sides, so
// the whole body reads as lit from the upper left with a bright rim.
Image drawWaterSprite() {
  constexpr float kLightU = -0.6f;
  constexpr float kLightV = -0.8f;
  return drawSprite([](float u, float v, int, int) {
    const float t = std::hypot(u, v);
    const float lit = u * kLightU + v * kLightV;
    const float glint = falloff(std::hypot(u - 0.36f * kLightU, v - 0.36f * kLightV), 0.04f, 0.3f);
    const float edge = 1.0f - falloff(t, 0.5f, 0.95f);
    const float shade = 0.78f + 0.08f * lit + 0.18f * edge;
    return SpriteTexel{shade + (1.0f - shade) * 0.6f * glint, falloff(t, 0.62f, 1.0f)};
  });
}

// A cloudy puff: a few overlapping round lobes roughened by noise, brightest at the top and
// thinning out towards every edge, so overlapping puffs read as one drifting cloud.
Image drawSteamSprite() {
  constexpr std::uint32_t kSeed = 0x57eau;
  struct Lobe {
    float u, v, radius;
  };
  constexpr Lobe kLobes[] = {{-0.3f, 0.1f, 0.42f}, {0.28f, 0.14f, 0.4f}, {0.04f, -0.2f, 0.46f},
                             {0.0f, 0.26f, 0.4f}, {-0.12f, -0.02f, 0.4f}};
  return drawSprite([&](float u, float v, int x, int y) {
    float density = 0.0f;
    for (const Lobe& lobe : kLobes) {
      const float d = std::hypot(u - lobe.u, v - lobe.v) / lobe.radius;
      density += std::exp(-2.2f * d * d);
    }
    const float cloud = 0.4f + 0.6f * fractalNoise(x, y, kSpriteSide, kSeed);
    const float edge = falloff(std::sqrt(u * u + v * v), 0.5f, 1.0f);
    const float cover = std::min(1.0f, 0.75f * density) * cloud * edge;
    return SpriteTexel{0.84f + 0.16f * std::clamp(-v, 0.0f, 1.0f), cover};
  });
}

// A six-sided lump of clear ice: six facets lit differently around a raised point up and to
// the left, a bright bevel along the rim and a clean edge.
Image drawIceSprite() {
  constexpr float kRadius = 0.9f;
  constexpr float kBevel = 0.16f;
  constexpr float kFacetShade[] = {1.0f, 0.9f, 0.74f, 0.68f, 0.8f, 0.94f};
  return drawSprite([&](float u, float v, int, int) {
    // The distance to the rim is measured to the nearest of six faces.
    float face = 0.0f;
    for (int k = 0; k < 6; ++k) {
      const float angle = static_cast<float>(k) * 1.0471976f;
      face = std::max(face, u * std::cos(angle) + v * std::sin(angle));
    }
    const float apexU = u + 0.18f;
    const float apexV = v + 0.2f;
    const int facet = static_cast<int>((std::atan2(apexV, apexU) + 3.1415927f) / 1.0471976f) % 6;
    const float bevel = falloff(kRadius - face, 0.0f, kBevel);
    const float shade = kFacetShade[facet] + (1.0f - kFacetShade[facet]) * bevel;
    const float edgePixels = (kRadius - face) * kSpriteSide * 0.5f;
    return SpriteTexel{shade, std::clamp(edgePixels + 0.5f, 0.0f, 1.0f) * (0.8f + 0.2f * bevel)};
  });
}

Image drawCursor() {
  Image image(kSpriteSide, kSpriteSide);
  for (int y = 0; y < kSpriteSide; ++y) {
    for (int x = 0; x < kSpriteSide; ++x) {
      if (insideArrow(x, y)) {
        image.setPixel(x, y, 255, 255, 255, 255);
      } else if (insideArrow(x - 1, y) || insideArrow(x + 1, y) || insideArrow(x, y - 1) ||
                 insideArrow(x, y + 1)) {
        image.setPixel(x, y, 16, 24, 40, 255);
      }
    }
  }
  return image;
}

std::optional<std::vector<NamedImage>> drawGameImages(const GameFonts& fonts) {
  std::vector<NamedImage> images;
  images.push_back({"stone.tga", drawStone()});
  images.push_back({"wood.tga", drawWood()});
  images.push_back({"metal.tga", drawMetal()});
  images.push_back({"backdrop.tga", drawBackdrop()});
  for (NamedImage& image : drawLevelBackdrops()) images.push_back(std::move(image));
  images.push_back({"water.tga", drawWaterSprite()});
  images.push_back({"steam.tga", drawSteamSprite()});
  images.push_back({"ice.tga", drawIceSprite()});
  images.push_back({"cursor.tga", drawCursor()});
  for (NamedImage& image : drawDecorationImages()) images.push_back(std::move(image));
  for (NamedImage& image : drawZoneImages()) images.push_back(std::move(image));
  std::optional<Image> textFont = drawFontSheet(fonts.text, kGameFontCellSize);
  std::optional<Image> menuFont = drawFontSheet(fonts.menu, kMenuFontCellSize);
  const std::optional<FreeTypeFace> labelFace = FreeTypeFace::open(fonts.labels);
  if (!textFont || !menuFont || !labelFace) return std::nullopt;
  images.push_back({"font.tga", std::move(*textFont)});
  images.push_back({"menu_font.tga", std::move(*menuFont)});
  std::optional<std::vector<NamedImage>> menuImages = drawMenuImages(*labelFace);
  if (!menuImages) return std::nullopt;
  for (NamedImage& image : *menuImages) images.push_back(std::move(image));
  std::optional<std::vector<NamedImage>> splashImages = drawSplashImages(*labelFace);
  if (!splashImages) return std::nullopt;
  for (NamedImage& image : *splashImages) images.push_back(std::move(image));
  std::optional<std::vector<NamedImage>> signs = drawSignImages(*labelFace);
  if (!signs) return std::nullopt;
  for (NamedImage& image : *signs) images.push_back(std::move(image));
  std::optional<Image> launcher = drawLauncherBackground(*labelFace);
  if (!launcher) return std::nullopt;
  images.push_back({"launcher/background.bmp", std::move(*launcher)});
  return images;
}
