#pragma once
// Turning a texture's name into pixels, in the order the game has always tried: our own
// reader for ".TGA" names, then the image library, then the embedded fallback image, then
// a 16 x 16 black and white checkerboard. The result is always 32-bit B, G, R, A, top row
// first, so one upload path serves every source.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

struct SDL_Surface;

namespace textures {

// The longest picture file read: the largest picture worth loading as a texture is 4096 × 4096
// with alpha, uncompressed, and the megabyte on top covers any format's headers and palette.
constexpr size_t kMaxImageFileBytes = size_t{4096} * 4096 * 4 + (size_t{1} << 20);

struct TextureImage {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> bgra;  // width * height pixels, top row first
  int32_t sourceBytesPerPixel = 4;
  bool hasAlpha = false;
  bool loaded = false;  // from the named file, not a stand-in
};

// Never fails: `key` is the upper-cased name, opened without regard to letter case;
// `fallbackName` names an embedded image and may be empty.
TextureImage loadTextureImage(std::string_view key, std::string_view fallbackName);

// The image library's surface in B, G, R, A: 8-bit palette (colour key transparent) and
// packed pixels of 2, 3 or 4 bytes, each row read at the surface's pitch. Other depths give
// nothing.
std::optional<TextureImage> convertSurface(SDL_Surface& surface);

// Opaque white where x + y is even, opaque black elsewhere.
TextureImage checkerboard();

}  // namespace textures
