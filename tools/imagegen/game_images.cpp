#include "tools/imagegen/game_images.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "tools/imagegen/decoration_images.h"
#include "tools/imagegen/default_images.h"
#include "tools/imagegen/font_sheet.h"
#include "tools/imagegen/launcher_background.h"
#include "tools/imagegen/level_backdrops.h"
#include "tools/imagegen/freetype_face.h"
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

// A white disc whose alpha follows `profile` of the distance from the centre (0 at the
// centre, 1 at the rim).
template <typename Profile>
Image drawRoundSprite(Profile profile) {
  Image image(kSpriteSide, kSpriteSide);
  const float centre = (kSpriteSide - 1) * 0.5f;
  const float radius = kSpriteSide * 0.5f;
  for (int y = 0; y < kSpriteSide; ++y) {
    for (int x = 0; x < kSpriteSide; ++x) {
      const float dx = static_cast<float>(x) - centre;
      const float dy = static_cast<float>(y) - centre;
      const float t = std::sqrt(dx * dx + dy * dy) / radius;
      image.setPixel(x, y, 255, 255, 255,
                     toByte(255.0f * std::clamp(profile(t, dx, dy), 0.0f, 1.0f)));
    }
  }
  return image;
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

Image drawWaterSprite() {
  return drawRoundSprite([](float t, float, float) {
    return 1.0f - smoothstep(std::clamp((t - 0.55f) / 0.45f, 0.0f, 1.0f));
  });
}

Image drawSteamSprite() {
  return drawRoundSprite(
      [](float t, float, float) { return 0.7f * (1.0f - smoothstep(std::min(t, 1.0f))); });
}

Image drawIceSprite() {
  // A six-sided disc: the distance to the rim is measured to the nearest of six faces.
  return drawRoundSprite([](float, float dx, float dy) {
    const float radius = kSpriteSide * 0.46f;
    float face = 0.0f;
    for (int k = 0; k < 6; ++k) {
      const float angle = static_cast<float>(k) * 1.0471976f;
      face = std::max(face, dx * std::cos(angle) + dy * std::sin(angle));
    }
    return face <= radius ? 1.0f : std::max(0.0f, 1.0f - (face - radius));
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
