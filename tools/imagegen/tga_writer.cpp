#include "tools/imagegen/tga_writer.h"

#include "game/platform/tga_reader.h"

// The game's own writer does the encoding; the picture only changes its byte order.
std::vector<std::uint8_t> encodeTga(const Image& image, TgaEncoding encoding) {
  platform::TgaImage tga;
  tga.width = image.width;
  tga.height = image.height;
  tga.bgra.resize(image.rgba.size());
  for (size_t i = 0; i < image.rgba.size(); i += 4) {
    tga.bgra[i] = image.rgba[i + 2];
    tga.bgra[i + 1] = image.rgba[i + 1];
    tga.bgra[i + 2] = image.rgba[i];
    tga.bgra[i + 3] = image.rgba[i + 3];
  }
  return platform::writeTga(tga, encoding == TgaEncoding::RunLength);
}
