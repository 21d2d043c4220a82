#include "tools/imagegen/tga_writer.h"

#include <fstream>

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

bool writeFileBytes(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
  std::ofstream stream(file, std::ios::binary | std::ios::trunc);
  stream.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(stream);
}
