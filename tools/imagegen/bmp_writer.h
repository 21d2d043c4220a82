#pragma once
// Writes pictures as Windows bitmaps: 24 bits a pixel, rows bottom-up and padded to four
// bytes, no compression. The launcher's background is kept in this format.

#include <cstdint>
#include <vector>

#include "tools/imagegen/image.h"

// The whole file as bytes; alpha is dropped.
std::vector<std::uint8_t> encodeBmp(const Image& image);
