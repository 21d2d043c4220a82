#pragma once
// The pixel size of an image file read from its header alone, for a run without a window:
// the texture manager uploads nothing there but still knows every texture's size, so culling
// and layout that ask a size work the same with and without a window.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace textures {

struct ImageSize {
  int32_t width = 0;
  int32_t height = 0;
  friend bool operator==(const ImageSize&, const ImageSize&) = default;
};

// The size a PNG, BMP, JPEG or (by a name ending in ".TGA") TGA header gives; nothing for
// anything else, or for a header that names no pixels.
std::optional<ImageSize> readImageSize(std::span<const uint8_t> bytes, std::string_view key);

// The size the window's loader would give `key`: the file's, else the fallback image's, else
// the 16 x 16 checkerboard's.
ImageSize imageSizeWithoutLoading(std::string_view key, std::string_view fallbackName);

}  // namespace textures
