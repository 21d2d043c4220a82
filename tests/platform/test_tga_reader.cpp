#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "game/platform/tga_reader.h"

using platform::readTga;
using platform::TgaImage;
using platform::writeTga;

namespace {

using Bytes = std::vector<uint8_t>;
using Pixel = std::array<uint8_t, 4>;

constexpr uint8_t kStored = 2;
constexpr uint8_t kRunLength = 10;
constexpr uint8_t kTopOrigin = 0x28;
constexpr uint8_t kBottomOrigin = 0x08;

// Every pixel's bytes name its place, so a misplaced one is seen at once.
Pixel pixelAt(int x, int y) {
  return {uint8_t(x), uint8_t(y), uint8_t(x * 7 + y), uint8_t(0xa0 + (x + y) % 16)};
}

Pixel decoded(const TgaImage& image, int x, int y) {
  const size_t at = (size_t(y) * image.width + x) * 4;
  return {image.bgra[at], image.bgra[at + 1], image.bgra[at + 2], image.bgra[at + 3]};
}

Bytes header(uint8_t type, int width, int height, uint8_t descriptor) {
  Bytes b(18, 0);
  b[2] = type;
  b[12] = uint8_t(width), b[13] = uint8_t(width >> 8);
  b[14] = uint8_t(height), b[15] = uint8_t(height >> 8);
  b[16] = 32;
  b[17] = descriptor;
  return b;
}

void put(Bytes& b, const Pixel& p) {
  b.insert(b.end(), p.begin(), p.end());
}

// A stored file of pixelAt(x, y), y = 0 being the top row, in either row order.
Bytes storedFile(int width, int height, bool topOrigin) {
  Bytes b = header(kStored, width, height, topOrigin ? kTopOrigin : kBottomOrigin);
  for (int row = 0; row < height; ++row) {
    for (int x = 0; x < width; ++x) put(b, pixelAt(x, topOrigin ? row : height - 1 - row));
  }
  return b;
}

void expectPixelAtEverywhere(const std::optional<TgaImage>& image, int width, int height) {
  ASSERT_TRUE(image);
  ASSERT_EQ(image->width, width);
  ASSERT_EQ(image->height, height);
  ASSERT_EQ(image->bgra.size(), size_t(width) * height * 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x)
      ASSERT_EQ(decoded(*image, x, y), pixelAt(x, y)) << x << "," << y;
  }
}

// A picture with runs shorter and longer than a packet holds, and noise between them.
TgaImage mixedImage(int width, int height) {
  TgaImage image{width, height, {}};
  uint32_t noise = 12345;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      noise = noise * 1103515245u + 12345u;
      const bool inRun = (x / 3 + y) % 3 == 0 || x >= width - 140;
      put(image.bgra, inRun ? Pixel{1, 2, uint8_t(y), 255} : Pixel{uint8_t(noise >> 24), 9, 9, 9});
    }
  }
  return image;
}

TEST(TgaRead, BothOriginsGiveTheSameTopFirstPixels) {
  expectPixelAtEverywhere(readTga(storedFile(5, 4, false)), 5, 4);
  expectPixelAtEverywhere(readTga(storedFile(5, 4, true)), 5, 4);
}

TEST(TgaRead, SkipsTheIdFieldAndIgnoresBytesAfterThePixels) {
  Bytes file = storedFile(4, 6, true);
  file[0] = 3;
  file.insert(file.begin() + 18, {0xee, 0xee, 0xee});
  file.insert(file.end(), 26, 0x55);  // where a footer would be
  expectPixelAtEverywhere(readTga(file), 4, 6);
}

TEST(TgaRead, RunLengthDecodesRawAndRunPackets) {
  Bytes file = header(kRunLength, 4, 4, kBottomOrigin);
  for (int y = 3; y >= 0; --y) {
    file.push_back(1);  // raw, two pixels
    put(file, pixelAt(0, y));
    put(file, pixelAt(1, y));
    file.push_back(0x81);  // run of two
    put(file, Pixel{7, 7, uint8_t(y), 7});
  }
  const auto image = readTga(file);
  ASSERT_TRUE(image);
  for (int y = 0; y < 4; ++y) {
    EXPECT_EQ(decoded(*image, 0, y), pixelAt(0, y));
    EXPECT_EQ(decoded(*image, 1, y), pixelAt(1, y));
    EXPECT_EQ(decoded(*image, 2, y), (Pixel{7, 7, uint8_t(y), 7}));
    EXPECT_EQ(decoded(*image, 3, y), (Pixel{7, 7, uint8_t(y), 7}));
  }
}

TEST(TgaRead, ARunLongerThanItsRowStopsAtTheRowEnd) {
  Bytes file = header(kRunLength, 5, 4, kTopOrigin);
  for (int y = 0; y < 4; ++y) {
    file.push_back(0x00);  // one raw pixel, then a run of 128 with four places left
    put(file, pixelAt(0, y));
    file.push_back(0xff);
    put(file, pixelAt(9, y));
  }
  const auto image = readTga(file);
  ASSERT_TRUE(image);
  for (int y = 0; y < 4; ++y) {
    EXPECT_EQ(decoded(*image, 0, y), pixelAt(0, y));
    for (int x = 1; x < 5; ++x) EXPECT_EQ(decoded(*image, x, y), pixelAt(9, y));
  }
}

TEST(TgaRead, ARawPacketPastItsRowEndHasItsExtraPixelsDropped) {
  Bytes file = header(kRunLength, 4, 4, kTopOrigin);
  for (int y = 0; y < 4; ++y) {
    file.push_back(5);  // six pixels for a row of four
    for (int x = 0; x < 6; ++x) put(file, pixelAt(x, y));
  }
  expectPixelAtEverywhere(readTga(file), 4, 4);
  file.resize(file.size() - 1);  // the last row's dropped pixels must still be present
  EXPECT_FALSE(readTga(file));
}

TEST(TgaWrite, RoundTripsOddSizesInBothEncodings) {
  for (auto [width, height] : {std::pair{5, 7}, {131, 9}, {301, 5}, {platform::kTgaMaxSide, 4}}) {
    const TgaImage image = mixedImage(width, height);
    for (bool runLength : {false, true}) {
      const auto back = readTga(writeTga(image, runLength));
      ASSERT_TRUE(back) << width << "x" << height << " runLength " << runLength;
      EXPECT_EQ(back->width, width);
      EXPECT_EQ(back->height, height);
      EXPECT_EQ(back->bgra, image.bgra) << width << "x" << height << " runLength " << runLength;
    }
  }
}

TEST(TgaWrite, WritesBottomLeftOriginWithEightAlphaBits) {
  const TgaImage image = mixedImage(300, 6);
  const Bytes stored = writeTga(image, false);
  EXPECT_EQ(Bytes(stored.begin(), stored.begin() + 18), header(kStored, 300, 6, kBottomOrigin));
  EXPECT_EQ(Bytes(stored.begin() + 18, stored.begin() + 22),
            Bytes(image.bgra.end() - 300 * 4, image.bgra.end() - 299 * 4));
  EXPECT_EQ(writeTga(image, true)[2], kRunLength);
}

TEST(TgaWrite, RunLengthPacketsEndAtRowEndsAndRunsAreCoded) {
  const TgaImage image = mixedImage(301, 5);
  const Bytes file = writeTga(image, true);
  size_t at = 18;
  for (int row = 0; row < 5; ++row) {
    int filled = 0;
    while (filled < 301) {
      ASSERT_LT(at, file.size());
      const uint8_t packet = file[at++];
      filled += (packet & 0x7f) + 1;
      at += packet & 0x80 ? 4 : ((packet & 0x7f) + 1) * 4;
    }
    EXPECT_EQ(filled, 301) << "row " << row;
  }
  EXPECT_EQ(at, file.size());
  EXPECT_LT(file.size(), writeTga(image, false).size() * 3 / 4);
}

TEST(TgaRead, RefusesWhatTheGameLeavesToAnotherLoader) {
  const Bytes valid = storedFile(4, 4, false);
  ASSERT_TRUE(readTga(valid));
  const std::vector<std::pair<size_t, uint8_t>> changes = {
      {12, 3}, {14, 3}, {16, 24}, {1, 1}, {17, 0x09}, {2, 0}, {2, 1}, {2, 3}, {2, 9}, {2, 11}};
  for (auto [offset, value] : changes) {
    Bytes file = valid;
    file[offset] = value;
    EXPECT_FALSE(readTga(file)) << "byte " << offset << " = " << int(value);
  }
}

TEST(TgaRead, RefusesSizesTheFileCannotHold) {
  Bytes stored = storedFile(6, 5, true);
  stored[14] = 6;  // one row more than is stored
  EXPECT_FALSE(readTga(stored));

  Bytes huge = header(kRunLength, platform::kTgaMaxSide, platform::kTgaMaxSide, kTopOrigin);
  for (int i = 0; i < 40; ++i) huge.insert(huge.end(), {0xff, 1, 2, 3, 4});
  EXPECT_FALSE(readTga(huge));

  Bytes tooWide = writeTga(mixedImage(platform::kTgaMaxSide + 1, 4), true);
  EXPECT_FALSE(readTga(tooWide));
}

TEST(TgaRead, RefusesAFileCutAtAnyByte) {
  Bytes hand = header(kRunLength, 4, 4, kTopOrigin);
  for (int y = 0; y < 4; ++y) {
    hand.push_back(5);
    for (int x = 0; x < 6; ++x) put(hand, pixelAt(x, y));
  }
  const TgaImage image = mixedImage(7, 5);
  for (const Bytes& file : {storedFile(5, 4, true), storedFile(5, 4, false), writeTga(image, false),
                            writeTga(image, true), hand}) {
    ASSERT_TRUE(readTga(file));
    for (size_t size = 0; size < file.size(); ++size) {
      const Bytes cut(file.begin(), file.begin() + size);  // exact size, so ASan sees overreads
      EXPECT_FALSE(readTga(cut)) << "cut at " << size << " of " << file.size();
    }
  }
}

}  // namespace
