#pragma once
// Writes pictures as 32-bit Targa files the way the game's loader expects them: eight alpha
// bits, bottom-left origin, either uncompressed (type 2) or run-length encoded (type 10).

#include <cstdint>
#include <vector>

#include "tools/imagegen/image.h"

enum class TgaEncoding : std::uint8_t {
  Uncompressed = 2,
  RunLength = 10,
};

// The whole file as bytes. Run-length packets never cross a row, so a reader may decode one
// row at a time.
std::vector<std::uint8_t> encodeTga(const Image& image, TgaEncoding encoding);
