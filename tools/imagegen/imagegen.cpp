// imagegen OUTPUT_DIR: writes the game's built-in fallback pictures as Targa files. The build
// runs it and bakes the files into the game, so the bytes must not change between runs.

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "tools/imagegen/default_images.h"
#include "tools/imagegen/tga_writer.h"

namespace {

bool writeImage(const std::filesystem::path& file, const Image& image, TgaEncoding encoding) {
  if (writeFileBytes(file, encodeTga(image, encoding))) return true;
  std::fprintf(stderr, "imagegen: can't write %s\n", file.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: imagegen OUTPUT_DIR\n");
    return 2;
  }
  const std::filesystem::path directory = argv[1];
  std::error_code error;
  std::filesystem::create_directories(directory, error);
  if (error) {
    std::fprintf(stderr, "imagegen: can't create %s: %s\n", directory.c_str(),
                 error.message().c_str());
    return 1;
  }

  const std::optional<Image> font = drawDefaultFont(VMR_DEFAULT_FONT_FILE);
  if (!font) {
    std::fprintf(stderr, "imagegen: can't render the font %s\n", VMR_DEFAULT_FONT_FILE);
    return 1;
  }
  const bool written =
      writeImage(directory / "default_font.tga", *font, TgaEncoding::Uncompressed) &&
      writeImage(directory / "default_sprite.tga", drawDefaultSprite(), TgaEncoding::RunLength) &&
      writeImage(directory / "default_texture.tga", drawDefaultTexture(), TgaEncoding::RunLength) &&
      writeImage(directory / "no_texture.tga", drawNoTexture(), TgaEncoding::RunLength);
  return written ? 0 : 1;
}
