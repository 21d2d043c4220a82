// Converting the image library's surfaces to B, G, R, A without a window: each depth, row
// pitches with padding, colour keys and channel widening.

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>

#include "game/platform/texture_image.h"
#include "texture_test_support.h"

namespace {

using textures::convertSurface;
using textures::TextureImage;

Bgra pixelOf(const TextureImage& image, int32_t x, int32_t y) {
  const size_t at = (size_t(y) * image.width + x) * 4;
  return {image.bgra[at], image.bgra[at + 1], image.bgra[at + 2], image.bgra[at + 3]};
}

template <typename T>
void put(SDL_Surface& surface, int32_t x, int32_t y, T value) {
  std::memcpy(static_cast<uint8_t*>(surface.pixels) + y * surface.pitch + x * sizeof(T), &value,
              sizeof(T));
}

TEST(SurfaceConversion, PaletteRowsFollowThePitchAndTheKey) {
  SurfacePtr surface = makeSurface(5, 3, SDL_PIXELFORMAT_INDEX8);
  ASSERT_TRUE(surface);
  ASSERT_GT(surface->pitch, 5);  // rows are padded
  const SDL_Color colours[2] = {{10, 20, 30, 255}, {40, 50, 60, 255}};
  SDL_SetPaletteColors(surface->format->palette, colours, 0, 2);
  for (int32_t y = 0; y < 3; ++y)
    for (int32_t x = 0; x < 5; ++x) put<uint8_t>(*surface, x, y, uint8_t(x == y));

  auto plain = convertSurface(*surface);
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->sourceBytesPerPixel, 1);
  EXPECT_FALSE(plain->hasAlpha);
  EXPECT_EQ(pixelOf(*plain, 2, 2), (Bgra{60, 50, 40, 255}));
  EXPECT_EQ(pixelOf(*plain, 4, 2), (Bgra{30, 20, 10, 255}));

  SDL_SetColorKey(surface.get(), SDL_TRUE, 1);
  auto keyed = convertSurface(*surface);
  ASSERT_TRUE(keyed);
  EXPECT_TRUE(keyed->hasAlpha);
  EXPECT_EQ(pixelOf(*keyed, 1, 1), (Bgra{60, 50, 40, 0}));
  EXPECT_EQ(pixelOf(*keyed, 0, 1), (Bgra{30, 20, 10, 255}));
}

TEST(SurfaceConversion, SixteenBitChannelsAreWidenedByTheirLoss) {
  SurfacePtr surface = makeSurface(3, 2, SDL_PIXELFORMAT_RGB565);
  ASSERT_TRUE(surface);
  put<uint16_t>(*surface, 0, 0, 0xffff);
  put<uint16_t>(*surface, 2, 1, uint16_t(0x1f << 11 | 0x01 << 5 | 0x10));
  auto image = convertSurface(*surface);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->sourceBytesPerPixel, 2);
  EXPECT_FALSE(image->hasAlpha);
  EXPECT_EQ(pixelOf(*image, 0, 0), (Bgra{0xf8, 0xfc, 0xf8, 255}));
  EXPECT_EQ(pixelOf(*image, 2, 1), (Bgra{0x80, 0x04, 0xf8, 255}));
  EXPECT_EQ(pixelOf(*image, 1, 1), (Bgra{0, 0, 0, 255}));
}

TEST(SurfaceConversion, FifteenBitPixelsAreReadAsSixteen) {
  SurfacePtr surface = makeSurface(2, 1, SDL_PIXELFORMAT_RGB555);
  ASSERT_TRUE(surface);
  ASSERT_EQ(surface->format->BitsPerPixel, 15);  // what a 16-bit BMP loads as
  put<uint16_t>(*surface, 1, 0, uint16_t(0x1f << 10 | 0x10 << 5 | 0x01));
  auto image = convertSurface(*surface);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->sourceBytesPerPixel, 2);
  EXPECT_EQ(pixelOf(*image, 1, 0), (Bgra{0x08, 0x80, 0xf8, 255}));
}

TEST(SurfaceConversion, TwentyFourBitRowsSkipTheirPadding) {
  SurfacePtr surface = makeSurface(5, 2, SDL_PIXELFORMAT_RGB24);
  ASSERT_TRUE(surface);
  ASSERT_EQ(surface->pitch, 16);
  SDL_FillRect(surface.get(), nullptr, SDL_MapRGB(surface->format, 1, 2, 3));
  const SDL_Rect last{4, 1, 1, 1};
  SDL_FillRect(surface.get(), &last, SDL_MapRGB(surface->format, 200, 100, 50));
  auto image = convertSurface(*surface);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->sourceBytesPerPixel, 3);
  EXPECT_EQ(pixelOf(*image, 0, 1), (Bgra{3, 2, 1, 255}));
  EXPECT_EQ(pixelOf(*image, 4, 1), (Bgra{50, 100, 200, 255}));
}

TEST(SurfaceConversion, ThirtyTwoBitsKeepAlphaOrAreOpaqueWithoutAChannel) {
  SurfacePtr withAlpha = makeSurface(2, 2, SDL_PIXELFORMAT_ABGR8888);
  ASSERT_TRUE(withAlpha);
  SDL_FillRect(withAlpha.get(), nullptr, SDL_MapRGBA(withAlpha->format, 9, 8, 7, 66));
  auto image = convertSurface(*withAlpha);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->sourceBytesPerPixel, 4);
  EXPECT_TRUE(image->hasAlpha);
  EXPECT_EQ(pixelOf(*image, 1, 1), (Bgra{7, 8, 9, 66}));

  SurfacePtr noAlpha = makeSurface(2, 2, SDL_PIXELFORMAT_XRGB8888);
  ASSERT_TRUE(noAlpha);
  SDL_FillRect(noAlpha.get(), nullptr, SDL_MapRGB(noAlpha->format, 9, 8, 7));
  image = convertSurface(*noAlpha);
  ASSERT_TRUE(image);
  EXPECT_EQ(pixelOf(*image, 0, 0), (Bgra{7, 8, 9, 255}));
}

TEST(SurfaceConversion, OtherDepthsAreRefused) {
  SurfacePtr fourBit = makeSurface(4, 4, SDL_PIXELFORMAT_INDEX4MSB);
  ASSERT_TRUE(fourBit);
  EXPECT_FALSE(convertSurface(*fourBit));
}

TEST(Checkerboard, AlternatesOpaqueWhiteAndBlack) {
  const TextureImage board = textures::checkerboard();
  ASSERT_EQ(board.width, 16);
  ASSERT_EQ(board.height, 16);
  EXPECT_FALSE(board.hasAlpha);
  EXPECT_FALSE(board.loaded);
  EXPECT_EQ(board.sourceBytesPerPixel, 4);
  EXPECT_EQ(pixelOf(board, 0, 0), (Bgra{255, 255, 255, 255}));
  EXPECT_EQ(pixelOf(board, 1, 0), (Bgra{0, 0, 0, 255}));
  EXPECT_EQ(pixelOf(board, 15, 15), (Bgra{255, 255, 255, 255}));
  EXPECT_EQ(pixelOf(board, 15, 14), (Bgra{0, 0, 0, 255}));
}

}  // namespace
