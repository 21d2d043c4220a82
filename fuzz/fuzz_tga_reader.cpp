// Any bytes as a TGA file: reading must never crash, read outside the input or allocate
// beyond what the input's size justifies. An image that is read must hold exactly its
// pixels and come back unchanged through both of our encodings.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "game/platform/tga_reader.h"

namespace {

void checkRoundTrip(const platform::TgaImage& image, bool runLength) {
  const auto back = platform::readTga(platform::writeTga(image, runLength));
  if (!back || back->width != image.width || back->height != image.height ||
      back->bgra != image.bgra) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto image = platform::readTga(std::span<const uint8_t>(data, size));
  if (!image) return 0;
  if (image->bgra.size() != size_t(image->width) * size_t(image->height) * 4) std::abort();
  checkRoundTrip(*image, false);
  checkRoundTrip(*image, true);
  return 0;
}
