#include "game/platform/texture_image.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstring>
#include <span>
#include <string>

#include "common/buffered_file.h"
#include "game/platform/tga_reader.h"

namespace textures {
namespace {

constexpr int32_t kCheckerSide = 16;

struct Bgra {
  uint8_t b = 0, g = 0, r = 0, a = 255;
};

std::span<const uint8_t> contents(const BufferedFile& file) {
  return {file.current(), file.size()};
}

std::optional<TextureImage> fromTga(const BufferedFile& file) {
  std::optional<platform::TgaImage> tga = platform::readTga(contents(file));
  if (!tga) return std::nullopt;
  return TextureImage{tga->width, tga->height, std::move(tga->bgra), 4, true, true};
}

bool endsWithTga(std::string_view key) {
  return key.ends_with(".TGA");
}

// The type hint lets the library read formats without a signature (TGA) by the name.
std::string extensionOf(std::string_view key) {
  const size_t dot = key.rfind('.');
  return dot == std::string_view::npos ? std::string() : std::string(key.substr(dot + 1));
}

std::optional<TextureImage> fromImageLibrary(const BufferedFile& file, std::string_view key) {
  SDL_RWops* source = SDL_RWFromConstMem(file.current(), static_cast<int>(file.size()));
  if (source == nullptr) return std::nullopt;
  SDL_Surface* surface = IMG_LoadTyped_RW(source, 1, extensionOf(key).c_str());
  if (surface == nullptr) return std::nullopt;
  std::optional<TextureImage> image;
  if (surface->w >= 1 && surface->h >= 1) image = convertSurface(*surface);
  SDL_FreeSurface(surface);
  return image;
}

std::optional<TextureImage> fromFile(std::string_view key) {
  DiskFile file(kMaxImageFileBytes);
  file.open(std::string(key));
  if (!file.isOpen()) return std::nullopt;
  if (endsWithTga(key)) {
    if (std::optional<TextureImage> image = fromTga(file)) return image;
  }
  return fromImageLibrary(file, key);
}

std::optional<TextureImage> fromResource(std::string_view fallbackName) {
  if (fallbackName.empty()) return std::nullopt;
  ResourceFile file;
  file.open(std::string(fallbackName));
  if (!file.isOpen()) return std::nullopt;
  std::optional<TextureImage> image = fromTga(file);
  if (image) image->loaded = false;
  return image;
}

// Channel c of a packed pixel, widened to 8 bits by shifting its loss back in.
uint8_t channel(uint32_t pixel, uint32_t mask, uint8_t shift, uint8_t loss) {
  return static_cast<uint8_t>(((pixel & mask) >> shift) << loss);
}

Bgra unpackRgb(uint32_t pixel, const SDL_PixelFormat& format) {
  return {channel(pixel, format.Bmask, format.Bshift, format.Bloss),
          channel(pixel, format.Gmask, format.Gshift, format.Gloss),
          channel(pixel, format.Rmask, format.Rshift, format.Rloss), 255};
}

// A pixel of 2, 3 or 4 bytes in the machine's byte order, as the surface's masks expect.
uint32_t readPacked(const uint8_t* bytes, int bytesPerPixel) {
  if (bytesPerPixel == 3) {
    if (SDL_BYTEORDER == SDL_BIG_ENDIAN) return uint32_t(bytes[0]) << 16 | bytes[1] << 8 | bytes[2];
    return uint32_t(bytes[2]) << 16 | bytes[1] << 8 | bytes[0];
  }
  if (bytesPerPixel == 2) {
    uint16_t pixel = 0;
    std::memcpy(&pixel, bytes, sizeof pixel);
    return pixel;
  }
  uint32_t pixel = 0;
  std::memcpy(&pixel, bytes, sizeof pixel);
  return pixel;
}

Bgra paletteColour(uint8_t index, const SDL_Palette& palette, std::optional<uint32_t> key) {
  if (index >= palette.ncolors) return {0, 0, 0, 255};
  const SDL_Color& c = palette.colors[index];
  return {c.b, c.g, c.r, uint8_t(key && *key == index ? 0 : 255)};
}

Bgra convertPixel(const uint8_t* bytes, const SDL_PixelFormat& format,
                  std::optional<uint32_t> key) {
  if (format.BytesPerPixel == 1) return paletteColour(bytes[0], *format.palette, key);
  const uint32_t pixel = readPacked(bytes, format.BytesPerPixel);
  Bgra colour = unpackRgb(pixel, format);
  // A 32-bit surface without an alpha channel is opaque rather than invisible.
  if (format.BytesPerPixel == 4 && format.Amask != 0)
    colour.a = channel(pixel, format.Amask, format.Ashift, format.Aloss);
  return colour;
}

// Sorted by bytes rather than bits: the image library calls a 5-5-5 picture (a 16-bit BMP)
// 15 bits per pixel, yet its pixels are whole 2-byte words read through the masks like any
// other. Palettes of fewer than 8 bits pack several pixels a byte and are refused.
bool isConvertible(const SDL_PixelFormat& format) {
  switch (format.BytesPerPixel) {
    case 1: return format.BitsPerPixel == 8 && format.palette != nullptr;
    case 2:
    case 3:
    case 4: return true;
    default: return false;
  }
}

std::optional<uint32_t> colourKeyOf(SDL_Surface& surface) {
  uint32_t key = 0;
  if (SDL_GetColorKey(&surface, &key) != 0) return std::nullopt;
  return key;
}

void convertPixels(const SDL_Surface& surface, std::optional<uint32_t> key, TextureImage& image) {
  const SDL_PixelFormat& format = *surface.format;
  uint8_t* out = image.bgra.data();
  for (int32_t y = 0; y < surface.h; ++y) {
    const uint8_t* row = static_cast<const uint8_t*>(surface.pixels) + size_t(y) * surface.pitch;
    for (int32_t x = 0; x < surface.w; ++x, out += 4) {
      const Bgra colour = convertPixel(row + size_t(x) * format.BytesPerPixel, format, key);
      out[0] = colour.b, out[1] = colour.g, out[2] = colour.r, out[3] = colour.a;
    }
  }
}

}  // namespace

std::optional<TextureImage> convertSurface(SDL_Surface& surface) {
  if (surface.w < 1 || surface.h < 1 || !isConvertible(*surface.format)) return std::nullopt;
  const std::optional<uint32_t> key =
      surface.format->BytesPerPixel == 1 ? colourKeyOf(surface) : std::nullopt;
  TextureImage image;
  image.width = surface.w;
  image.height = surface.h;
  image.sourceBytesPerPixel = surface.format->BytesPerPixel;
  image.hasAlpha = surface.format->BytesPerPixel == 4 || key.has_value();
  image.loaded = true;
  image.bgra.resize(size_t(surface.w) * surface.h * 4);
  if (SDL_LockSurface(&surface) != 0) return std::nullopt;
  convertPixels(surface, key, image);
  SDL_UnlockSurface(&surface);
  return image;
}

TextureImage checkerboard() {
  TextureImage image{kCheckerSide, kCheckerSide, {}, 4, false, false};
  image.bgra.reserve(kCheckerSide * kCheckerSide * 4);
  for (int32_t y = 0; y < kCheckerSide; ++y)
    for (int32_t x = 0; x < kCheckerSide; ++x) {
      const uint8_t shade = (x + y) % 2 == 0 ? 255 : 0;
      image.bgra.insert(image.bgra.end(), {shade, shade, shade, 255});
    }
  return image;
}

TextureImage loadTextureImage(std::string_view key, std::string_view fallbackName) {
  if (std::optional<TextureImage> image = fromFile(key)) return std::move(*image);
  if (std::optional<TextureImage> image = fromResource(fallbackName)) return std::move(*image);
  return checkerboard();
}

}  // namespace textures
