// The built-in fallback pictures: "imagegen" writes four Targa files that the game's loader
// must read back as drawn, with each font cell holding its own character and nothing else,
// and the same bytes on every run, since the build bakes them into the program.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "common/byte_reader.h"
#include "game/platform/tga_reader.h"
#include "test_support/temp_directory.h"
#include "tools/imagegen/default_images.h"
#include "tools/imagegen/tga_writer.h"

namespace {

// A decoder written apart from the writer, reading only what the game's files may hold.
struct DecodedTga {
  int type = 0;
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  int descriptor = 0;
  std::vector<std::uint8_t> rgba;  // rows from the top
  bool packetsWithinRows = true;

  const std::uint8_t* pixel(int x, int y) const { return &rgba[(y * width + x) * 4]; }
  int alpha(int x, int y) const { return pixel(x, y)[3]; }
};

// Nothing when the data runs short or is left over.
std::optional<DecodedTga> decodeTga(const std::string& bytes) {
  if (bytes.size() < 18) return std::nullopt;
  DecodedTga tga;
  tga.type = static_cast<std::uint8_t>(bytes[2]);
  ByteReader size(bytes, 12);
  tga.width = size.u16();
  tga.height = size.u16();
  tga.bitsPerPixel = static_cast<std::uint8_t>(bytes[16]);
  tga.descriptor = static_cast<std::uint8_t>(bytes[17]);
  if (bytes[0] != 0 || tga.bitsPerPixel != 32) return std::nullopt;
  tga.rgba.resize(static_cast<std::size_t>(tga.width) * tga.height * 4);

  std::size_t at = 18;
  std::vector<std::uint8_t> stored;  // BGRA, bottom row first
  auto takePixel = [&]() -> bool {
    if (at + 4 > bytes.size()) return false;
    stored.insert(stored.end(), bytes.begin() + at, bytes.begin() + at + 4);
    at += 4;
    return true;
  };
  const std::size_t total = static_cast<std::size_t>(tga.width) * tga.height;
  while (stored.size() / 4 < total) {
    if (tga.type == 2) {
      if (!takePixel()) return std::nullopt;
      continue;
    }
    if (tga.type != 10 || at >= bytes.size()) return std::nullopt;
    const int header = static_cast<std::uint8_t>(bytes[at++]);
    const int count = header < 128 ? header + 1 : header - 127;
    const int column = static_cast<int>(stored.size() / 4 % tga.width);
    if (column + count > tga.width) tga.packetsWithinRows = false;
    if (header < 128) {
      for (int i = 0; i < count; ++i) {
        if (!takePixel()) return std::nullopt;
      }
    } else {
      if (!takePixel()) return std::nullopt;
      for (int i = 1; i < count; ++i) stored.insert(stored.end(), stored.end() - 4, stored.end());
    }
  }
  if (at != bytes.size() || stored.size() / 4 != total) return std::nullopt;

  for (int row = 0; row < tga.height; ++row) {
    for (int x = 0; x < tga.width; ++x) {
      const std::uint8_t* source = &stored[(static_cast<std::size_t>(row) * tga.width + x) * 4];
      std::uint8_t* target = &tga.rgba[((tga.height - 1 - row) * tga.width + x) * 4];
      target[0] = source[2];
      target[1] = source[1];
      target[2] = source[0];
      target[3] = source[3];
    }
  }
  return tga;
}

std::string asString(const std::vector<std::uint8_t>& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

int runImagegen(const std::filesystem::path& directory, const char* mode = "") {
  const std::string command =
      std::string(IMAGEGEN_PATH) + " " + mode + " '" + directory.string() + "' > /dev/null 2>&1";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The program's output, made once for the whole suite.
const TempDirectory& generated() {
  static const TempDirectory directory;
  static const int exitCode = runImagegen(directory.path());
  EXPECT_EQ(exitCode, 0);
  return directory;
}

DecodedTga loadGenerated(const char* name) {
  const std::optional<DecodedTga> tga = decodeTga(readFileBytes(generated().path() / name));
  if (!tga) ADD_FAILURE() << name << " does not decode";
  return tga.value_or(DecodedTga{});
}

// The ink inside one font cell, in the cell's own coordinates.
struct CellInk {
  int pixels = 0;
  int left = 1 << 20, right = -1, top = 1 << 20, bottom = -1;
  bool onEdge = false;
  int width() const { return right - left + 1; }
  double centreX() const { return (left + right) * 0.5; }
};

CellInk inkOf(const DecodedTga& font, int code, int cellSize = kFontCellSize) {
  CellInk ink;
  const int x0 = code % 16 * cellSize;
  const int y0 = code / 16 * cellSize;
  for (int y = 0; y < cellSize; ++y) {
    for (int x = 0; x < cellSize; ++x) {
      if (font.alpha(x0 + x, y0 + y) == 0) continue;
      ++ink.pixels;
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x);
      ink.top = std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y);
      if (x == 0 || y == 0 || x == cellSize - 1 || y == cellSize - 1) ink.onEdge = true;
    }
  }
  return ink;
}

// The three sheets the game draws text from: the built-in one and the data folder's two.
struct FontSheet {
  const char* name;
  std::filesystem::path file;
};

std::vector<FontSheet> fontSheets() {
  const std::filesystem::path gfx = std::filesystem::path(VELLMOOR_DATA_DIR) / "gfx";
  return {{"built-in", generated().path() / "default_font.tga"},
          {"game", gfx / "font.tga"},
          {"menu", gfx / "menu_font.tga"}};
}

}  // namespace

TEST(TgaEncoding, RunLengthPacketsFollowTheRowsFromTheBottom) {
  Image image(4, 2);
  for (int x = 0; x < 4; ++x) image.setPixel(x, 0, 255, 0, 0, 255);
  image.setPixel(0, 1, 1, 2, 3, 4);
  image.setPixel(1, 1, 5, 6, 7, 8);
  image.setPixel(2, 1, 5, 6, 7, 8);
  image.setPixel(3, 1, 9, 10, 11, 12);
  const std::vector<std::uint8_t> bytes = encodeTga(image, TgaEncoding::RunLength);
  const std::vector<std::uint8_t> body(bytes.begin() + 18, bytes.end());
  const std::vector<std::uint8_t> expected = {
      0x00, 3,  2,  1,   4,     // bottom row: a lone pixel in a raw packet,
      0x81, 7,  6,  5,   8,     // a pair as a run,
      0x00, 11, 10, 9,   12,    // and a lone pixel again;
      0x83, 0,  0,  255, 255};  // top row: one run of four
  EXPECT_EQ(body, expected);
}

TEST(TgaEncoding, LongRunsSplitAtOneHundredAndTwentyEightAndAtEachRow) {
  Image image(300, 2);
  for (std::size_t i = 0; i < image.rgba.size(); i += 4) image.rgba[i + 3] = 200;
  const std::optional<DecodedTga> tga =
      decodeTga(asString(encodeTga(image, TgaEncoding::RunLength)));
  ASSERT_TRUE(tga);
  EXPECT_TRUE(tga->packetsWithinRows);
  EXPECT_EQ(tga->rgba, image.rgba);
  // Three packets a row (128 + 128 + 44), each a header and one pixel.
  EXPECT_EQ(encodeTga(image, TgaEncoding::RunLength).size(), 18u + 2 * 3 * 5);
}

TEST(TgaEncoding, NoisyRowsRoundTripWithoutCrossingRows) {
  Image image(130, 3);
  std::uint32_t state = 12345;
  for (std::size_t i = 0; i < image.rgba.size(); ++i) {
    state = state * 1103515245u + 12345u;
    // Few values, so raw stretches and short runs alternate.
    image.rgba[i] = static_cast<std::uint8_t>((state >> 16) % 2);
  }
  const std::optional<DecodedTga> tga =
      decodeTga(asString(encodeTga(image, TgaEncoding::RunLength)));
  ASSERT_TRUE(tga);
  EXPECT_TRUE(tga->packetsWithinRows);
  EXPECT_EQ(tga->rgba, image.rgba);
}

TEST(DefaultImages, HeadersMatchWhatTheLoaderExpects) {
  struct Expected {
    const char* name;
    int type;
    int size;
  };
  for (const Expected& e :
       {Expected{"default_font.tga", 2, 256}, Expected{"default_sprite.tga", 10, 64},
        Expected{"default_texture.tga", 10, 128}, Expected{"no_texture.tga", 10, 128}}) {
    SCOPED_TRACE(e.name);
    const DecodedTga tga = loadGenerated(e.name);
    EXPECT_EQ(tga.type, e.type);
    EXPECT_EQ(tga.width, e.size);
    EXPECT_EQ(tga.height, e.size);
    EXPECT_EQ(tga.bitsPerPixel, 32);
    EXPECT_EQ(tga.descriptor, 8);
    EXPECT_TRUE(tga.packetsWithinRows);
    // The game's own reader takes every one of them.
    const std::string bytes = readFileBytes(generated().path() / e.name);
    const auto read =
        platform::readTga({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
    ASSERT_TRUE(read);
    EXPECT_EQ(read->width, e.size);
  }
}

TEST(DefaultImages, TwoRunsWriteTheSameBytes) {
  TempDirectory second;
  ASSERT_EQ(runImagegen(second.path()), 0);
  for (const char* name :
       {"default_font.tga", "default_sprite.tga", "default_texture.tga", "no_texture.tga"}) {
    SCOPED_TRACE(name);
    const std::string first = readFileBytes(generated().path() / name);
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(first, readFileBytes(second.path() / name));
  }
}

// The build draws the data folder's pictures anew whenever imagegen changes; a rerun must
// give the very same files, or a rebuild would change the game's look.
TEST(GameImages, ARunWritesTheBytesTheDataFolderHolds) {
  TempDirectory again;
  ASSERT_EQ(runImagegen(again.path(), "--game"), 0);
  const std::filesystem::path built = std::filesystem::path(VELLMOOR_DATA_DIR) / "gfx";
  int compared = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(again.path())) {
    if (!entry.is_regular_file()) continue;
    const std::filesystem::path relative = std::filesystem::relative(entry.path(), again.path());
    EXPECT_TRUE(readFileBytes(entry.path()) == readFileBytes(built / relative)) << relative;
    ++compared;
  }
  EXPECT_GE(compared, 300);
}

TEST(FontSheets, LettersHaveInkOnlyInTheirOwnCells) {
  for (const FontSheet& sheet : fontSheets()) {
    SCOPED_TRACE(sheet.name);
    const std::optional<DecodedTga> font = decodeTga(readFileBytes(sheet.file));
    ASSERT_TRUE(font);
    ASSERT_EQ(font->width, font->height);
    const int cell = font->width / 16;
    for (int code = 0; code < 256; ++code) {
      const bool printable = code > ' ' && code <= '~';
      SCOPED_TRACE(code);
      const CellInk ink = inkOf(*font, code, cell);
      EXPECT_EQ(ink.pixels > 0, printable);
      // A cell's outer ring stays clear: ink there would be a glyph cut off at the cell edge
      // or one spilling over from its neighbour.
      EXPECT_FALSE(ink.onEdge);
    }
  }
}

// The game advances by a whole cell, so a glyph of its natural width would stand apart from
// its neighbours; the wide letters must fill most of the cell for text to read as words.
TEST(FontSheets, WideLettersSpanMostOfTheirCell) {
  for (const FontSheet& sheet : fontSheets()) {
    SCOPED_TRACE(sheet.name);
    const std::optional<DecodedTga> font = decodeTga(readFileBytes(sheet.file));
    ASSERT_TRUE(font);
    const int cell = font->width / 16;
    for (const char c : {'M', 'W', 'm', 'w', '@'}) {
      SCOPED_TRACE(c);
      EXPECT_GE(inkOf(*font, c, cell).width(), cell * 3 / 4);
    }
    // Ordinary letters too: with a third of the cell or more left blank, "load" reads "l o a d".
    for (const char c : {'n', 'o', 'e', 'a'}) {
      SCOPED_TRACE(c);
      EXPECT_GE(inkOf(*font, c, cell).width(), cell * 2 / 3);
    }
    // Narrow marks keep their shape rather than being spread over the cell.
    EXPECT_LE(inkOf(*font, '|', cell).width(), cell / 3);
    EXPECT_LE(inkOf(*font, '.', cell).width(), cell / 3);
  }
}

// The water is drawn over the level backdrops: one as bright as the water would hide it, and
// two levels on the same one would look like the same place.
TEST(LevelBackdrops, StayDimAndEachIsALevelsOwn) {
  std::set<std::array<long, 3>> means;
  const std::filesystem::path gfx = std::filesystem::path(VELLMOOR_DATA_DIR) / "gfx";
  for (const auto& entry : std::filesystem::directory_iterator(gfx)) {
    if (entry.path().filename().string().rfind("backdrop_", 0) != 0) continue;
    SCOPED_TRACE(entry.path().filename().string());
    const std::optional<DecodedTga> image = decodeTga(readFileBytes(entry.path()));
    ASSERT_TRUE(image);
    std::array<long, 3> mean{};
    const long pixels = long(image->width) * image->height;
    for (std::size_t i = 0; i < image->rgba.size(); i += 4)
      for (int c = 0; c < 3; ++c) mean[c] += image->rgba[i + c];
    for (long& channel : mean) channel /= pixels;
    EXPECT_LT(*std::max_element(mean.begin(), mean.end()), 80);
    means.insert(mean);
  }
  EXPECT_EQ(means.size(), 12u);
}

TEST(DefaultFont, GlyphsAreWhiteWithCoverageInAlpha) {
  const DecodedTga font = loadGenerated("default_font.tga");
  ASSERT_EQ(font.width, kFontSheetSize);
  bool partial = false;
  for (int y = 0; y < font.height; ++y) {
    for (int x = 0; x < font.width; ++x) {
      const std::uint8_t* p = font.pixel(x, y);
      if (p[3] == 0) continue;
      ASSERT_TRUE(p[0] == 255 && p[1] == 255 && p[2] == 255) << x << "," << y;
      partial = partial || p[3] < 255;
    }
  }
  EXPECT_TRUE(partial) << "edges should be antialiased";
}

TEST(DefaultFont, LettersShareOneBaselineAndSitCentred) {
  const DecodedTga font = loadGenerated("default_font.tga");
  ASSERT_EQ(font.width, kFontSheetSize);
  const CellInk a = inkOf(font, 'A');
  for (const char c : {'B', 'E', 'H', 'x', 'n', 'z'}) {
    SCOPED_TRACE(c);
    EXPECT_EQ(inkOf(font, c).bottom, a.bottom);
  }
  EXPECT_EQ(inkOf(font, 'H').top, a.top);
  EXPECT_GT(inkOf(font, 'x').top, a.top);
  for (const char c : {'g', 'p', 'y'}) {
    SCOPED_TRACE(c);
    EXPECT_GT(inkOf(font, c).bottom, a.bottom);
  }
  for (const char c : {'A', 'H', 'O', 'W', 'o', '|'}) {
    SCOPED_TRACE(c);
    EXPECT_NEAR(inkOf(font, c).centreX(), (kFontCellSize - 1) * 0.5, 1.0);
  }
}

TEST(DefaultSprite, BrightestInTheMiddleAndClearAtTheCorners) {
  const DecodedTga sprite = loadGenerated("default_sprite.tga");
  ASSERT_EQ(sprite.width, kSpriteSize);
  const int mid = kSpriteSize / 2;
  EXPECT_GE(sprite.alpha(mid, mid), 250);
  for (const auto& [x, y] :
       {std::pair{0, 0}, std::pair{kSpriteSize - 1, 0}, std::pair{0, kSpriteSize - 1},
        std::pair{kSpriteSize - 1, kSpriteSize - 1}}) {
    EXPECT_EQ(sprite.alpha(x, y), 0);
  }
  EXPECT_LT(sprite.alpha(0, mid), 8);
  // Fades steadily outwards in every direction, with no ring or hole.
  for (int x = mid + 1; x < kSpriteSize; ++x) {
    EXPECT_LE(sprite.alpha(x, mid), sprite.alpha(x - 1, mid));
    EXPECT_LE(sprite.alpha(x, x), sprite.alpha(x - 1, x - 1));
    EXPECT_LE(sprite.alpha(mid, kSpriteSize - 1 - x), sprite.alpha(mid, kSpriteSize - x));
  }
  EXPECT_EQ(sprite.pixel(mid, mid)[0], 255);
}

TEST(DefaultTextures, AreOpaque) {
  for (const char* name : {"default_texture.tga", "no_texture.tga"}) {
    SCOPED_TRACE(name);
    const DecodedTga tga = loadGenerated(name);
    ASSERT_EQ(tga.width, kTextureSize);
    for (std::size_t i = 3; i < tga.rgba.size(); i += 4) ASSERT_EQ(tga.rgba[i], 255) << i / 4;
  }
}

TEST(DefaultTextures, StoneIsNeutralButNotFlat) {
  const DecodedTga stone = loadGenerated("default_texture.tga");
  ASSERT_EQ(stone.width, kTextureSize);
  int darkest = 255;
  int lightest = 0;
  for (std::size_t i = 0; i < stone.rgba.size(); i += 4) {
    EXPECT_LE(std::abs(stone.rgba[i] - stone.rgba[i + 2]), 8);
    darkest = std::min<int>(darkest, stone.rgba[i + 1]);
    lightest = std::max<int>(lightest, stone.rgba[i + 1]);
  }
  EXPECT_GT(lightest - darkest, 40);
}

TEST(DefaultTextures, MissingTextureIsMagentaChecksInADarkerBorder) {
  const DecodedTga missing = loadGenerated("no_texture.tga");
  ASSERT_EQ(missing.width, kTextureSize);
  auto rgb = [&](int x, int y) {
    const std::uint8_t* p = missing.pixel(x, y);
    return std::vector<int>{p[0], p[1], p[2]};
  };
  EXPECT_EQ(rgb(8, 8), (std::vector<int>{255, 0, 255}));
  EXPECT_EQ(rgb(24, 8), (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(rgb(24, 24), (std::vector<int>{255, 0, 255}));
  EXPECT_EQ(rgb(8, 120), (std::vector<int>{0, 0, 0}));
  const std::vector<int> edge = rgb(0, 64);
  EXPECT_EQ(edge, rgb(127, 64));
  EXPECT_EQ(edge, rgb(64, 0));
  EXPECT_LT(edge[0], 255);
  EXPECT_GT(edge[0], 0);
}
