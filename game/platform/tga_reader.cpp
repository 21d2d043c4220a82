// A TGA file is an 18-byte header, an optional ID field, then the pixels. Rows run bottom-up
// unless descriptor bit 5 asks for top-down; we decode each stored row straight into its
// place in a top-first image. Run-length data is a stream of packets, each a header byte and
// then either the pixels of a raw packet or the one pixel of a run. Our files never let a
// packet cross a row, and the reader holds others to the same rule by cutting a packet at
// the row end, so one bad packet cannot smear into the rows after it.
//
// Sizes are checked against the bytes present before anything is allocated: a stored image
// must hold all its pixels, and a run-length one at least one run packet per 128 pixels of
// each row, which bounds the image at about a hundred times the file's size.

#include "game/platform/tga_reader.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstring>

#include "common/byte_reader.h"
#include "common/byte_writer.h"

namespace platform {
namespace {

constexpr size_t kHeaderSize = 18;
constexpr size_t kSkippedHeaderBytes = 9;  // the colour-map fields and the origin
constexpr size_t kPixelSize = 4;
constexpr int32_t kMinSide = 4;
constexpr int32_t kMaxWrittenSide = 65535;
constexpr int32_t kMaxPacketPixels = 128;
constexpr size_t kRunPacketSize = 1 + kPixelSize;
constexpr uint8_t kStored = 2;
constexpr uint8_t kRunLength = 10;
constexpr uint8_t kDepth = 32;
constexpr uint8_t kRunFlag = 0x80;
constexpr uint8_t kCountMask = 0x7f;     // pixels in a packet, less one
constexpr uint8_t kAlphaBitsLow = 0x01;  // a 32-bit image has 8 alpha bits, never an odd count
constexpr uint8_t kTopOrigin = 0x20;
constexpr uint8_t kEightAlphaBits = 0x08;

struct Header {
  uint8_t idLength = 0;
  uint8_t colourMapType = 0;
  uint8_t imageType = 0;
  int32_t width = 0;
  int32_t height = 0;
  uint8_t depth = 0;
  uint8_t descriptor = 0;
};

// The header fields we act on; the colour-map fields and the origin are skipped, as an
// image without a colour map has no use for the one and we always place pixels ourselves.
Header parseHeader(std::span<const uint8_t> bytes) {
  ByteReader in(bytes);
  Header h;
  h.idLength = in.u8();
  h.colourMapType = in.u8();
  h.imageType = in.u8();
  in.skip(kSkippedHeaderBytes);
  h.width = in.u16();
  h.height = in.u16();
  h.depth = in.u8();
  h.descriptor = in.u8();
  return h;
}

bool acceptable(const Header& h) {
  return h.width >= kMinSide && h.height >= kMinSide && h.width <= kTgaMaxSide &&
         h.height <= kTgaMaxSide && h.colourMapType == 0 && h.depth == kDepth &&
         (h.descriptor & kAlphaBitsLow) == 0 &&
         (h.imageType == kStored || h.imageType == kRunLength);
}

// The fewest pixel-data bytes that could describe the image.
size_t minimumDataSize(const Header& h) {
  const size_t w = static_cast<size_t>(h.width);
  const size_t rows = static_cast<size_t>(h.height);
  if (h.imageType == kStored) return w * rows * kPixelSize;
  const size_t packetsPerRow = (w + kMaxPacketPixels - 1) / kMaxPacketPixels;
  return packetsPerRow * rows * kRunPacketSize;
}

// Where stored row `fileRow` lands in the top-first image.
uint8_t* destinationRow(TgaImage& image, int32_t fileRow, bool topOrigin) {
  const int32_t row = topOrigin ? fileRow : image.height - 1 - fileRow;
  return image.bgra.data() + size_t(row) * size_t(image.width) * kPixelSize;
}

void decodeStored(std::span<const uint8_t> data, TgaImage& image, bool topOrigin) {
  const size_t rowSize = size_t(image.width) * kPixelSize;
  for (int32_t fileRow = 0; fileRow < image.height; ++fileRow) {
    std::memcpy(destinationRow(image, fileRow, topOrigin), data.data() + fileRow * rowSize,
                rowSize);
  }
}

// Fills one row from the packet stream at `at`; false when the stream ends first.
bool decodeRunLengthRow(std::span<const uint8_t> data, size_t& at, uint8_t* out, int32_t width) {
  int32_t x = 0;
  while (x < width) {
    if (at >= data.size()) return false;
    const uint8_t packet = data[at++];
    const int32_t count = (packet & kCountMask) + 1;
    const int32_t kept = std::min(count, width - x);
    uint8_t* const target = out + size_t(x) * kPixelSize;
    if (packet & kRunFlag) {
      if (data.size() - at < kPixelSize) return false;
      for (int32_t i = 0; i < kept; ++i) {
        std::memcpy(target + size_t(i) * kPixelSize, data.data() + at, kPixelSize);
      }
      at += kPixelSize;
    } else {
      const size_t size = size_t(count) * kPixelSize;
      if (data.size() - at < size) return false;
      std::memcpy(target, data.data() + at, size_t(kept) * kPixelSize);
      at += size;
    }
    x += kept;
  }
  return true;
}

bool decodeRunLength(std::span<const uint8_t> data, TgaImage& image, bool topOrigin) {
  size_t at = 0;
  for (int32_t fileRow = 0; fileRow < image.height; ++fileRow) {
    if (!decodeRunLengthRow(data, at, destinationRow(image, fileRow, topOrigin), image.width)) {
      return false;
    }
  }
  return true;
}

bool samePixel(const uint8_t* row, int32_t a, int32_t b) {
  return std::memcmp(row + size_t(a) * kPixelSize, row + size_t(b) * kPixelSize, kPixelSize) == 0;
}

// Runs of two or more equal pixels become run packets, everything between them raw packets;
// every packet ends at or before the row end.
void encodeRow(const uint8_t* row, int32_t width, std::vector<uint8_t>& out) {
  int32_t x = 0;
  while (x < width) {
    int32_t end = x + 1;
    if (end < width && samePixel(row, x, end)) {
      while (end < width && end - x < kMaxPacketPixels && samePixel(row, x, end)) ++end;
      out.push_back(static_cast<uint8_t>(kRunFlag | (end - x - 1)));
      out.insert(out.end(), row + size_t(x) * kPixelSize, row + size_t(x + 1) * kPixelSize);
    } else {
      while (end < width && end - x < kMaxPacketPixels &&
             !(end + 1 < width && samePixel(row, end, end + 1))) {
        ++end;
      }
      out.push_back(static_cast<uint8_t>(end - x - 1));
      out.insert(out.end(), row + size_t(x) * kPixelSize, row + size_t(end) * kPixelSize);
    }
    x = end;
  }
}

}  // namespace

std::optional<TgaImage> readTga(std::span<const uint8_t> bytes) {
  if (bytes.size() < kHeaderSize) return std::nullopt;
  const Header header = parseHeader(bytes);
  if (!acceptable(header)) return std::nullopt;
  if (bytes.size() - kHeaderSize < header.idLength) return std::nullopt;
  const auto data = bytes.subspan(kHeaderSize + header.idLength);
  if (data.size() < minimumDataSize(header)) return std::nullopt;

  TgaImage image;
  image.width = header.width;
  image.height = header.height;
  image.bgra.resize(size_t(image.width) * size_t(image.height) * kPixelSize);
  const bool topOrigin = (header.descriptor & kTopOrigin) != 0;
  if (header.imageType == kStored) {
    decodeStored(data, image, topOrigin);
  } else if (!decodeRunLength(data, image, topOrigin)) {
    return std::nullopt;
  }
  return image;
}

std::vector<uint8_t> writeTga(const TgaImage& image, bool runLength) {
  assert(image.width > 0 && image.width <= kMaxWrittenSide);
  assert(image.height > 0 && image.height <= kMaxWrittenSide);
  assert(image.bgra.size() == size_t(image.width) * size_t(image.height) * kPixelSize);
  ByteWriter header;
  header.u8(0);  // no ID field
  header.u8(0);  // no colour map
  header.u8(runLength ? kRunLength : kStored);
  header.append(std::array<uint8_t, kSkippedHeaderBytes>{});
  header.u16(uint16_t(image.width));
  header.u16(uint16_t(image.height));
  header.u8(kDepth);
  header.u8(kEightAlphaBits);
  std::vector<uint8_t> out = header.take();

  const size_t rowSize = size_t(image.width) * kPixelSize;
  for (int32_t row = image.height - 1; row >= 0; --row) {
    const uint8_t* pixels = image.bgra.data() + size_t(row) * rowSize;
    if (runLength) {
      encodeRow(pixels, image.width, out);
    } else {
      out.insert(out.end(), pixels, pixels + rowSize);
    }
  }
  return out;
}

}  // namespace platform
