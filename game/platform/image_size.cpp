#include "game/platform/image_size.h"

#include <string>

#include "common/buffered_file.h"
#include "common/byte_reader.h"
#include "game/platform/texture_image.h"

namespace textures {
namespace {

constexpr int32_t kCheckerboardSide = 16;

// PNG and JPEG store their sizes high byte first.
uint32_t bigEndian(std::span<const uint8_t> bytes, size_t at, size_t count) {
  uint32_t value = 0;
  for (size_t i = 0; i < count; ++i) value = value << 8 | bytes[at + i];
  return value;
}

std::optional<ImageSize> sizeOf(uint32_t width, uint32_t height) {
  constexpr uint32_t kLargest = 1u << 24;  // no real texture comes near; a wrapped value might
  if (width == 0 || height == 0 || width > kLargest || height > kLargest) return std::nullopt;
  return ImageSize{int32_t(width), int32_t(height)};
}

std::optional<ImageSize> pngSize(std::span<const uint8_t> bytes) {
  constexpr uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (bytes.size() < 24 || !std::equal(std::begin(kSignature), std::end(kSignature), bytes.begin()))
    return std::nullopt;
  return sizeOf(bigEndian(bytes, 16, 4), bigEndian(bytes, 20, 4));
}

// A BMP stored top row first says so with a negative height.
std::optional<ImageSize> bmpSize(std::span<const uint8_t> bytes) {
  if (bytes.size() < 26 || bytes[0] != 'B' || bytes[1] != 'M') return std::nullopt;
  ByteReader in(bytes, 18);
  const uint32_t width = in.u32();
  const int32_t height = in.i32();
  return sizeOf(width, height < 0 ? 0u - uint32_t(height) : uint32_t(height));
}

// The size is in the first start-of-frame segment; every segment before it is skipped by its
// length.
std::optional<ImageSize> jpegSize(std::span<const uint8_t> bytes) {
  if (bytes.size() < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8) return std::nullopt;
  size_t at = 2;
  while (at + 9 <= bytes.size() && bytes[at] == 0xFF) {
    const uint8_t marker = bytes[at + 1];
    const bool startOfFrame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 &&
                              marker != 0xC8 && marker != 0xCC;
    if (startOfFrame) return sizeOf(bigEndian(bytes, at + 7, 2), bigEndian(bytes, at + 5, 2));
    at += 2 + bigEndian(bytes, at + 2, 2);
  }
  return std::nullopt;
}

std::optional<ImageSize> tgaSize(std::span<const uint8_t> bytes) {
  if (bytes.size() < 18) return std::nullopt;
  ByteReader in(bytes, 12);
  const uint16_t width = in.u16();
  return sizeOf(width, in.u16());
}

std::span<const uint8_t> contents(const BufferedFile& file) {
  if (!file.isOpen()) return {};
  return {reinterpret_cast<const uint8_t*>(file.current()), file.size()};
}

}  // namespace

std::optional<ImageSize> readImageSize(std::span<const uint8_t> bytes, std::string_view key) {
  if (auto size = pngSize(bytes)) return size;
  if (auto size = bmpSize(bytes)) return size;
  if (auto size = jpegSize(bytes)) return size;
  if (key.ends_with(".TGA") || key.ends_with(".tga")) return tgaSize(bytes);
  return std::nullopt;
}

ImageSize imageSizeWithoutLoading(std::string_view key, std::string_view fallbackName) {
  DiskFile file(kMaxImageFileBytes);
  file.open(std::string(key));
  if (auto size = readImageSize(contents(file), key)) return *size;
  if (!fallbackName.empty()) {
    ResourceFile resource;
    resource.open(std::string(fallbackName));
    if (auto size = tgaSize(contents(resource))) return *size;
  }
  return {kCheckerboardSide, kCheckerboardSide};
}

}  // namespace textures
