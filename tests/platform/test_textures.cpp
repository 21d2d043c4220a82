// Textures loaded into the real OpenGL context: each file kind and origin, the fallbacks,
// quality, sharing and deletion, checked through the texels OpenGL holds or drawn and read
// back from the frame.

#include <GL/gl.h>
#include <GL/glext.h>
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "common/buffered_file.h"
#include "common/byte_writer.h"
#include "common/console_output.h"
#include "game/platform/gl_state.h"
#include "game/platform/texture_handle.h"
#include "game/platform/textures.h"
#include "game/platform/window.h"
#include "texture_test_support.h"

namespace {

using textures::referenceCount;

// Every texel different, so a flipped row or a swapped channel shows.
Bgra patternPixel(int32_t x, int32_t y) {
  return {uint8_t(40 * x + 10), uint8_t(60 * y + 5), uint8_t(200 - 30 * x - 10 * y),
          uint8_t(255 - 17 * (x + 4 * y))};
}

std::vector<uint8_t> patternTga(bool runLength, bool topOrigin) {
  return encodeTga(makeImage(4, 4, patternPixel), runLength, topOrigin);
}

// A stored 24-bit TGA, which our own reader refuses.
std::vector<uint8_t> tga24(int32_t width, int32_t height, Bgra colour) {
  std::vector<uint8_t> bytes(18, 0);
  bytes[2] = 2;
  bytes[12] = uint8_t(width), bytes[14] = uint8_t(height);
  bytes[16] = 24;
  for (int32_t i = 0; i < width * height; ++i)
    bytes.insert(bytes.end(), {colour.b, colour.g, colour.r});
  return bytes;
}

// A 16-bit BMP with the format's default 5-5-5 channels, rows bottom-up and padded to four
// bytes; `pixel(x, y)` gives each packed pixel with y counted from the top.
template <typename PixelAt>
std::vector<uint8_t> bmp555(int32_t width, int32_t height, PixelAt pixel) {
  const int32_t rowBytes = (width * 2 + 3) / 4 * 4;
  ByteWriter bytes;
  bytes.append("BM");
  bytes.u32(uint32_t(54 + rowBytes * height));
  bytes.u32(0);
  bytes.u32(54);  // where the pixels start
  for (const int32_t field : {40, width, height}) bytes.i32(field);
  bytes.u16(1);                                  // planes
  bytes.u16(16);                                 // bits per pixel
  for (int32_t i = 0; i < 6; ++i) bytes.u32(0);  // uncompressed, no palette
  for (int32_t y = height - 1; y >= 0; --y) {
    for (int32_t x = 0; x < width; ++x) bytes.u16(uint16_t(pixel(x, y)));
    for (int32_t i = width * 2; i < rowBytes; ++i) bytes.u8(0);
  }
  return bytes.take();
}

void saveBmp(SDL_Surface* surface, const std::string& file) {
  ASSERT_EQ(SDL_SaveBMP(surface, file.c_str()), 0) << SDL_GetError();
}

void writeSolidBmp(const std::string& file, int32_t width, int32_t height, Bgra colour) {
  SurfacePtr surface = makeSurface(width, height, SDL_PIXELFORMAT_BGR24);
  ASSERT_TRUE(surface);
  SDL_FillRect(surface.get(), nullptr, SDL_MapRGB(surface->format, colour.r, colour.g, colour.b));
  saveBmp(surface.get(), file);
}

std::vector<Bgra> decodedResource(const char* name) {
  ResourceFile file;
  file.open(name);
  const auto image = platform::readTga({file.current(), file.size()});
  std::vector<Bgra> pixels;
  for (size_t i = 0; image && i < image->bgra.size(); i += 4)
    pixels.push_back({image->bgra[i], image->bgra[i + 1], image->bgra[i + 2], image->bgra[i + 3]});
  return pixels;
}

constexpr Bgra kWhite{255, 255, 255, 255};
constexpr Bgra kBlack{0, 0, 0, 255};

bool isCheckerboard(const Texels& texels) {
  if (texels.width != 16 || texels.height != 16) return false;
  for (int32_t y = 0; y < 16; ++y)
    for (int32_t x = 0; x < 16; ++x)
      if (texels.at(x, y) != ((x + y) % 2 == 0 ? kWhite : kBlack)) return false;
  return true;
}

// Files ---------------------------------------------------------------------------------

using TextureFiles = TextureTest;

TEST_F(TextureFiles, OwnTgaVariantsDrawTopRowFirst) {
  for (bool runLength : {false, true}) {
    for (bool topOrigin : {false, true}) {
      SCOPED_TRACE(std::string(runLength ? "type 10" : "type 2") +
                   (topOrigin ? ", top origin" : ", bottom origin"));
      writeFile("Pattern.tga", patternTga(runLength, topOrigin));
      TextureHandle handle("pattern.TGA", "DEFAULT_TEXTURE");
      EXPECT_EQ(handle.width(), 4);
      EXPECT_EQ(handle.height(), 4);
      EXPECT_TRUE(handle.hasAlpha());
      EXPECT_EQ(textures::textureListing(), std::vector<std::string>{"PATTERN.TGA : 32 BIT"});

      gl_state::clearScreen(0, 0, 0);
      drawTexture(handle.textureId(), 100, 100, 64, 64);
      for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 4; ++x) {
          const Bgra p = patternPixel(x, y);
          EXPECT_TRUE(near(pixelAt(100 + 16 * x + 8, 100 + 16 * y + 8), {p.r, p.g, p.b, 255}))
              << "texel " << x << ", " << y;
        }
      const Texels texels = readTexels(handle.textureId());
      EXPECT_EQ(texels.at(1, 3), patternPixel(1, 3));  // alpha kept exactly
    }
  }
}

TEST_F(TextureFiles, TwentyFourBitTgaGoesThroughTheImageLibrary) {
  writeFile("flat.tga", tga24(4, 4, {10, 20, 30, 0}));
  TextureHandle handle("FLAT.TGA", "DEFAULT_TEXTURE");
  EXPECT_FALSE(handle.hasAlpha());
  EXPECT_EQ(handle.width(), 4);
  EXPECT_EQ(textures::textureListing(), std::vector<std::string>{"FLAT.TGA : 24 BIT"});
  EXPECT_EQ(readTexels(handle.textureId()).at(2, 1), (Bgra{10, 20, 30, 255}));
}

TEST_F(TextureFiles, TgaTooSmallForOurReaderKeepsItsAlphaThroughTheImageLibrary) {
  const platform::TgaImage tiny = makeImage(2, 2, patternPixel);
  ASSERT_FALSE(platform::readTga(encodeTga(tiny, true, false)));
  writeFile("tiny.tga", encodeTga(tiny, true, false));
  TextureHandle handle("tiny.tga", "DEFAULT_SPRITE");
  EXPECT_TRUE(handle.hasAlpha());
  EXPECT_EQ(handle.width(), 2);
  EXPECT_EQ(textures::textureListing(), std::vector<std::string>{"TINY.TGA : 32 BIT"});
  const Texels texels = readTexels(handle.textureId());
  for (int32_t y = 0; y < 2; ++y)
    for (int32_t x = 0; x < 2; ++x) EXPECT_EQ(texels.at(x, y), patternPixel(x, y)) << x << y;
}

TEST_F(TextureFiles, SixteenBitBmpWidensItsFiveBitChannels) {
  // One column (so each row carries two bytes of padding): red, green, blue, white from the
  // top. The side stays a power of two, which the mipmap builder keeps as it is.
  const uint32_t column[4] = {0x1f << 10, 0x10 << 5, 0x01, 0x7fff};
  writeFile("hicolour.bmp", bmp555(1, 4, [&](int32_t, int32_t y) { return column[y]; }));
  TextureHandle handle("HiColour.bmp", "DEFAULT_TEXTURE");
  EXPECT_FALSE(handle.hasAlpha());
  EXPECT_EQ(textures::textureListing(), std::vector<std::string>{"HICOLOUR.BMP : 16 BIT"});
  const Texels texels = readTexels(handle.textureId());
  ASSERT_EQ(texels.width, 1);
  ASSERT_EQ(texels.height, 4);
  EXPECT_EQ(texels.at(0, 0), (Bgra{0, 0, 0xf8, 255}));
  EXPECT_EQ(texels.at(0, 1), (Bgra{0, 0x80, 0, 255}));
  EXPECT_EQ(texels.at(0, 2), (Bgra{0x08, 0, 0, 255}));
  EXPECT_EQ(texels.at(0, 3), (Bgra{0xf8, 0xf8, 0xf8, 255}));
}

TEST_F(TextureFiles, PaletteColourKeyIsTransparentExactlyAtTheKey) {
  SurfacePtr surface = makeSurface(4, 4, SDL_PIXELFORMAT_INDEX8);
  ASSERT_TRUE(surface);
  // The image library writes palette alpha as the PNG's transparency chunk, and reads one
  // fully transparent entry back as the colour key.
  const SDL_Color colours[3] = {{200, 0, 0, 255}, {0, 0, 200, 0}, {0, 150, 0, 255}};
  SDL_SetPaletteColors(surface->format->palette, colours, 0, 3);
  for (int32_t y = 0; y < 4; ++y)
    for (int32_t x = 0; x < 4; ++x)
      static_cast<uint8_t*>(surface->pixels)[y * surface->pitch + x] = uint8_t((x + y) % 3);
  ASSERT_EQ(IMG_SavePNG(surface.get(), path("keyed.png").c_str()), 0) << IMG_GetError();

  TextureHandle handle("KEYED.PNG", "DEFAULT_SPRITE");
  EXPECT_TRUE(handle.hasAlpha());
  EXPECT_EQ(textures::textureListing(), std::vector<std::string>{"KEYED.PNG : 8 BIT"});
  const Texels texels = readTexels(handle.textureId());
  ASSERT_EQ(texels.width, 4);
  for (int32_t y = 0; y < 4; ++y)
    for (int32_t x = 0; x < 4; ++x) {
      const SDL_Color c = colours[(x + y) % 3];
      const uint8_t alpha = (x + y) % 3 == 1 ? 0 : 255;
      EXPECT_EQ(texels.at(x, y), (Bgra{c.b, c.g, c.r, alpha})) << x << ", " << y;
    }
}

TEST_F(TextureFiles, FileNamesIgnoreLetterCase) {
  writeFile("Gfx/Mixed.Tga", patternTga(true, false));
  TextureHandle handle("gfx\\MIXED.tga", "");
  EXPECT_EQ(handle.width(), 4);
  EXPECT_EQ(textures::textureListing(), std::vector<std::string>{"GFX\\MIXED.TGA : 32 BIT"});
}

// Fallbacks -----------------------------------------------------------------------------

using TextureFallbacks = TextureTest;

TEST_F(TextureFallbacks, MissingFileShowsTheNamedEmbeddedImage) {
  TextureHandle handle("gfx\\nothing.png", "DEFAULT_SPRITE");
  EXPECT_EQ(handle.width(), 64);
  EXPECT_EQ(handle.height(), 64);
  EXPECT_TRUE(handle.hasAlpha());
  EXPECT_EQ(textures::textureListing(),
            std::vector<std::string>{"GFX\\NOTHING.PNG (loading failed)  : 32 BIT"});
  const std::vector<Bgra> expected = decodedResource("DEFAULT_SPRITE");
  ASSERT_EQ(expected.size(), 64u * 64u);
  EXPECT_EQ(readTexels(handle.textureId()).pixels, expected);
}

TEST_F(TextureFallbacks, NoUsableFallbackGivesTheCheckerboard) {
  for (const char* fallback : {"", "NO_SUCH_RESOURCE"}) {
    SCOPED_TRACE(fallback);
    TextureHandle handle("missing.tga", fallback);
    EXPECT_EQ(handle.width(), 16);
    EXPECT_FALSE(handle.hasAlpha());
    EXPECT_EQ(textures::textureListing(),
              std::vector<std::string>{"MISSING.TGA (loading failed)  : 32 BIT"});
    EXPECT_TRUE(isCheckerboard(readTexels(handle.textureId())));

    gl_state::clearScreen(0, 0, 1);
    drawTexture(handle.textureId(), 0, 0, 64, 64);
    EXPECT_TRUE(near(pixelAt(2, 2), {255, 255, 255, 255}));
    EXPECT_TRUE(near(pixelAt(6, 2), {0, 0, 0, 255}));
    EXPECT_TRUE(near(pixelAt(6, 6), {255, 255, 255, 255}));
    EXPECT_TRUE(near(pixelAt(62, 2), {0, 0, 0, 255}));
  }
}

TEST_F(TextureFallbacks, CorruptFilesOfEveryKindFallBack) {
  // Cut inside the header: our reader refuses it and so does the image library after it
  // (a TGA cut inside its pixels is padded by the library, which is not our fallback).
  std::vector<uint8_t> truncatedTga = patternTga(true, false);
  truncatedTga.resize(12);
  std::vector<uint8_t> badDepthTga = patternTga(false, false);
  badDepthTga[16] = 17;
  writeSolidBmp(path("whole.bmp"), 4, 4, {1, 2, 3, 255});
  std::string truncatedBmp = readFileBytes(path("whole.bmp")).substr(0, 60);
  const std::string png = "\x89PNG\r\n\x1a\n garbage after the signature";

  writeFile("cut.tga", truncatedTga);
  writeFile("depth.tga", badDepthTga);
  writeFile("cut.bmp", truncatedBmp);
  writeFile("bad.png", png);
  writeFile("noise.jpg", std::string(300, '\x5a'));
  writeFile("empty.tga", std::string());
  for (const char* name : {"cut.tga", "depth.tga", "cut.bmp", "bad.png", "noise.jpg", "empty.tga",
                           "folder_that_is_missing\\x.tga"}) {
    SCOPED_TRACE(name);
    TextureHandle handle(name, "DEFAULT_TEXTURE");
    EXPECT_EQ(handle.width(), 128);
    ASSERT_EQ(textures::textureListing().size(), 1u);
    EXPECT_NE(textures::textureListing()[0].find(" (loading failed)  : 32 BIT"), std::string::npos);
  }
}

// Quality and filtering ------------------------------------------------------------------

using TextureQuality = TextureTest;

int32_t levelZeroParameter(uint32_t id, GLenum which) {
  GLint value = 0;
  glBindTexture(GL_TEXTURE_2D, id);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, which, &value);
  return value;
}

TEST_F(TextureQuality, HalfSizeUploadsHalvedSidesOfAtLeastOne) {
  writeSolidBmp(path("dot.bmp"), 1, 1, {0, 0, 255, 255});
  writeSolidBmp(path("odd.bmp"), 5, 3, {0, 255, 0, 255});
  textures::setTextureQuality(2);
  TextureHandle dot("dot.bmp", "");
  TextureHandle odd("odd.bmp", "");
  EXPECT_EQ(levelZeroParameter(dot.textureId(), GL_TEXTURE_WIDTH), 1);
  EXPECT_EQ(levelZeroParameter(dot.textureId(), GL_TEXTURE_HEIGHT), 1);
  EXPECT_EQ(levelZeroParameter(odd.textureId(), GL_TEXTURE_WIDTH), 2);
  EXPECT_EQ(levelZeroParameter(odd.textureId(), GL_TEXTURE_HEIGHT), 1);
  // The recorded size stays the source's.
  EXPECT_EQ(odd.width(), 5);
  EXPECT_EQ(odd.height(), 3);
  EXPECT_EQ(readTexels(odd.textureId()).at(1, 0), (Bgra{0, 255, 0, 255}));
}

TEST_F(TextureQuality, ChangingQualityReloadsIntoTheSameIds) {
  writeFile("square.tga", encodeTga(makeImage(8, 8, [](int, int) { return kWhite; }), true, false));
  TextureHandle handle("square.tga", "");
  EXPECT_EQ(levelZeroParameter(handle.textureId(), GL_TEXTURE_WIDTH), 8);
  textures::setTextureQuality(2);
  EXPECT_EQ(levelZeroParameter(handle.textureId(), GL_TEXTURE_WIDTH), 4);
  textures::setTextureQuality(0);
  EXPECT_EQ(levelZeroParameter(handle.textureId(), GL_TEXTURE_WIDTH), 8);
}

TEST_F(TextureQuality, ReducedQualitiesCompressOrStoreFourBitsAChannel) {
  writeFile("square.tga", encodeTga(makeImage(8, 8, patternPixel), false, false));
  const bool compression = window::hasExtension("GL_ARB_texture_compression");
  for (int32_t quality : {0, 1, 2}) {
    SCOPED_TRACE(quality);
    textures::setTextureQuality(quality);
    const TextureHandle handle("square.tga", "");
    const uint32_t id = handle.textureId();
    const bool compressed = levelZeroParameter(id, GL_TEXTURE_COMPRESSED) != 0;
    if (quality == 0) {
      EXPECT_FALSE(compressed);
      EXPECT_EQ(levelZeroParameter(id, GL_TEXTURE_RED_SIZE), 8);
    } else if (compression) {
      EXPECT_TRUE(compressed);
    } else {
      EXPECT_EQ(levelZeroParameter(id, GL_TEXTURE_INTERNAL_FORMAT), GL_RGBA4);
    }
    if (compression) {
      GLint hint = 0;
      glGetIntegerv(GL_TEXTURE_COMPRESSION_HINT_ARB, &hint);
      EXPECT_EQ(hint, quality == 2 ? GL_FASTEST : GL_NICEST);
    }
  }
}

TEST_F(TextureQuality, TrilinearFilteringAndAnisotropy) {
  TextureHandle handle("missing.tga", "");
  glBindTexture(GL_TEXTURE_2D, handle.textureId());
  GLint minFilter = 0, magFilter = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
  EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_LINEAR);
  EXPECT_EQ(magFilter, GL_LINEAR);
  EXPECT_GT(levelZeroParameter(handle.textureId(), GL_TEXTURE_WIDTH), 0);

  if (!window::hasExtension("GL_EXT_texture_filter_anisotropic")) GTEST_SKIP();
  GLint largest = 0;
  glGetIntegerv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &largest);
  textures::setAnisotropy(1000000);
  EXPECT_EQ(textures::anisotropy(), largest);
  textures::setAnisotropy(2);
  GLfloat level = 0;
  glBindTexture(GL_TEXTURE_2D, handle.textureId());
  glGetTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, &level);
  EXPECT_EQ(level, 2.0f);
  TextureHandle later("later.tga", "");
  glBindTexture(GL_TEXTURE_2D, later.textureId());
  glGetTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, &level);
  EXPECT_EQ(level, 2.0f);
  textures::setAnisotropy(1);
}

TEST_F(TextureQuality, PixelStoreLeftOverByOthersDoesNotSkewUploads) {
  // Half size may also compress, so the upload is compared with one made in a clean state.
  writeFile("pattern.tga", encodeTga(makeImage(8, 8, patternPixel), false, false));
  textures::setTextureQuality(2);
  const auto loadTexels = [] {
    const TextureHandle handle("pattern.tga", "");
    return readTexels(handle.textureId()).pixels;
  };
  const std::vector<Bgra> clean = loadTexels();
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  for (const GLenum rowLength : {GL_UNPACK_ROW_LENGTH, GL_PACK_ROW_LENGTH})
    glPixelStorei(rowLength, 2);
  const TextureHandle skewed("pattern.tga", "");
  glPopClientAttrib();
  EXPECT_EQ(readTexels(skewed.textureId()).pixels, clean);
}

// Sharing and lifetime -------------------------------------------------------------------

using TextureSharing = TextureTest;

TEST_F(TextureSharing, NamesDifferingInCaseShareOneTexture) {
  TextureHandle a("Shared.png", "DEFAULT_SPRITE");
  TextureHandle b("SHARED.PNG", "DEFAULT_SPRITE");
  EXPECT_EQ(referenceCount("shared.png"), 2);
  EXPECT_NE(a.textureId(), 0u);
  EXPECT_EQ(a.textureId(), b.textureId());
}

TEST_F(TextureSharing, LastReleaseDeletesAndReacquiringReadsTheFileAgain) {
  writeSolidBmp(path("swap.bmp"), 4, 4, {0, 0, 255, 255});
  uint32_t firstId = 0;
  {
    TextureHandle first("swap.bmp", "");
    TextureHandle copy = first;
    firstId = first.textureId();
    EXPECT_EQ(readTexels(firstId).at(0, 0), (Bgra{0, 0, 255, 255}));
  }
  EXPECT_FALSE(glIsTexture(firstId));
  writeSolidBmp(path("swap.bmp"), 4, 4, {255, 0, 0, 255});
  TextureHandle again("swap.bmp", "");
  EXPECT_EQ(readTexels(again.textureId()).at(0, 0), (Bgra{255, 0, 0, 255}));
}

TEST_F(TextureSharing, ReloadReadsEveryFileIntoItsOwnId) {
  writeSolidBmp(path("swap.bmp"), 4, 4, {0, 0, 255, 255});
  TextureHandle handle("swap.bmp", "");
  const uint32_t id = handle.textureId();
  writeSolidBmp(path("swap.bmp"), 4, 4, {0, 255, 0, 255});
  const uint32_t from = console::writePosition();
  textures::reloadTexturesTimed();
  EXPECT_EQ(readTexels(id).at(3, 3), (Bgra{0, 255, 0, 255}));
  EXPECT_EQ(TextureHandle(handle).textureId(), id);
  EXPECT_TRUE(
      consoleTextSince(from).starts_with("\nTexture refresh complete.\nTime take to reload: "));
}

TEST_F(TextureSharing, AnotherThreadNeitherCountsNorUploads) {
  TextureHandle mine("thread.png", "DEFAULT_SPRITE");
  uint32_t seenThere = 0;
  TextureHandle madeThere;
  std::thread([&] {
    TextureHandle theirs("THREAD.PNG", "DEFAULT_SPRITE");
    seenThere = theirs.textureId();
    madeThere = TextureHandle("only_there.png", "DEFAULT_SPRITE");
  }).join();
  EXPECT_EQ(referenceCount("thread.png"), 1);
  EXPECT_EQ(seenThere, mine.textureId());
  EXPECT_EQ(madeThere.textureId(), 0u);
  EXPECT_EQ(madeThere.width(), 0);
}

// Console figures ------------------------------------------------------------------------

using TextureConsole = TextureTest;

TEST_F(TextureConsole, ListAndMemoryFollowTheirHeadings) {
  TextureHandle sprite("b_missing.png", "DEFAULT_SPRITE");  // 64 x 64
  TextureHandle board("a_missing.png", "");                 // 16 x 16
  EXPECT_EQ(textures::textureMemory(), 64u * 64 * 4 + 16 * 16 * 4);

  uint32_t from = console::writePosition();
  textures::printTextureList();
  const std::string stars(64, '*');
  EXPECT_EQ(consoleTextSince(from), "\n\n" + stars + "\n\nTextures in use\n\n" + stars + "\n\n\n" +
                                        "A_MISSING.PNG (loading failed)  : 32 BIT\n" +
                                        "B_MISSING.PNG (loading failed)  : 32 BIT\n");

  const uint64_t n = 64 * 64 * 4 + 16 * 16 * 4;
  for (int32_t quality : {0, 1, 2}) {
    textures::setTextureQuality(quality);
    from = console::writePosition();
    textures::printTextureMemory();
    const uint64_t shifted = n >> quality;
    EXPECT_EQ(consoleTextSince(from), "\n\n" + stars + "\n\nTexture memory used\n\n" + stars +
                                          "\n\n" + std::to_string(shifted + shifted / 3) +
                                          " bytes");
  }
}

}  // namespace
