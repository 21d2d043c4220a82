#pragma once
// 32-bit Truevision TGA images, read from bytes in memory and written for our own tools. Only
// the one shape the game's art uses is accepted (32 bits per pixel, no colour map, stored or
// run-length coded); anything else is refused so the caller can hand it to a fuller loader.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace platform {

struct TgaImage {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> bgra;  // width * height pixels of B, G, R, A; top row first
};

// Largest width or height accepted; keeps a run-length file from asking for gigabytes.
constexpr int32_t kTgaMaxSide = 16384;

// Decodes a 32-bit TGA of type 2 (stored) or 10 (run-length), either row order, into a
// top-row-first image. Refuses (nullopt) sides under 4 or over kTgaMaxSide, colour maps, other
// depths or types, a set descriptor bit 0, and any file too short for its pixels. A raw packet
// that runs past its row end still has all its pixels consumed; the extra ones are dropped.
// Never reads outside `bytes`, and allocates only what the file's size could describe.
std::optional<TgaImage> readTga(std::span<const uint8_t> bytes);

// Encodes `image` (width, height in 1..65535, bgra of width * height * 4 bytes) as a 32-bit
// TGA with bottom-left origin and 8 alpha bits: type 10 with packets that stop at each row
// end when `runLength`, else type 2.
std::vector<uint8_t> writeTga(const TgaImage& image, bool runLength);

}  // namespace platform
