#include "tools/imagegen/png_writer.h"

#include <SDL.h>
#include <SDL_image.h>

#include <memory>

bool writePng(const std::filesystem::path& file, const Image& image) {
  // The surface only borrows the bytes; RGBA32 names them in memory order, R first.
  std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> surface(
      SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint8_t*>(image.rgba.data()), image.width,
                                         image.height, 32, image.width * 4, SDL_PIXELFORMAT_RGBA32),
      SDL_FreeSurface);
  return surface && IMG_SavePNG(surface.get(), file.c_str()) == 0;
}
