// imagegen OUTPUT_DIR: writes the game's built-in fallback pictures as Targa files. The build
// runs it and bakes the files into the game.
// imagegen --game OUTPUT_DIR: writes the pictures the data folder ships (surfaces, sprites,
// the pointer, the font sheets and the menus' pictures) into OUTPUT_DIR, the data folder's
// gfx/.
// imagegen --icons OUTPUT_DIR: writes the desktop icon as PNG files, one a size, named "NxN.png".
// The bytes never change between runs.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <vector>

#include "common/regular_file.h"
#include "tools/imagegen/bmp_writer.h"
#include "tools/imagegen/default_images.h"
#include "tools/imagegen/game_images.h"
#include "tools/imagegen/icon_images.h"
#include "tools/imagegen/png_writer.h"
#include "tools/imagegen/tga_writer.h"

namespace {

bool makeDirectory(const std::filesystem::path& directory) {
  std::error_code error;
  std::filesystem::create_directories(directory, error);
  if (!error) return true;
  std::fprintf(stderr, "imagegen: can't create %s: %s\n", directory.c_str(),
               error.message().c_str());
  return false;
}

// A ".bmp" name is written as a bitmap, any other as Targa.
bool writeImage(const std::filesystem::path& file, const Image& image, TgaEncoding encoding) {
  if (!makeDirectory(file.parent_path())) return false;
  const std::vector<std::uint8_t> bytes =
      file.extension() == ".bmp" ? encodeBmp(image) : encodeTga(image, encoding);
  if (writeRegularFile(file, {reinterpret_cast<const char*>(bytes.data()), bytes.size()}))
    return true;
  std::fprintf(stderr, "imagegen: can't write %s\n", file.c_str());
  return false;
}

bool writeDefaultImages(const std::filesystem::path& directory) {
  const std::optional<Image> font = drawDefaultFont(VMR_DEFAULT_FONT_FILE);
  if (!font) std::fprintf(stderr, "imagegen: can't render the font %s\n", VMR_DEFAULT_FONT_FILE);
  return font && writeImage(directory / "default_font.tga", *font, TgaEncoding::Uncompressed) &&
         writeImage(directory / "default_sprite.tga", drawDefaultSprite(),
                    TgaEncoding::RunLength) &&
         writeImage(directory / "default_texture.tga", drawDefaultTexture(),
                    TgaEncoding::RunLength) &&
         writeImage(directory / "no_texture.tga", drawNoTexture(), TgaEncoding::RunLength);
}

bool writeGameImages(const std::filesystem::path& directory) {
  const std::optional<std::vector<NamedImage>> images =
      drawGameImages({VMR_DEFAULT_FONT_FILE, VMR_MENU_FONT_FILE, VMR_LABEL_FONT_FILE});
  if (!images) {
    std::fprintf(stderr, "imagegen: can't render the fonts %s, %s and %s\n", VMR_DEFAULT_FONT_FILE,
                 VMR_MENU_FONT_FILE, VMR_LABEL_FONT_FILE);
    return false;
  }
  for (const NamedImage& named : *images) {
    if (!writeImage(directory / named.fileName, named.image, TgaEncoding::RunLength)) return false;
  }
  return true;
}

bool writeIcons(const std::filesystem::path& directory) {
  for (const NamedImage& icon : drawIcons()) {
    if (!writePng(directory / icon.fileName, icon.image)) {
      std::fprintf(stderr, "imagegen: can't write %s\n", (directory / icon.fileName).c_str());
      return false;
    }
  }
  return true;
}

bool writeImages(std::string_view mode, const std::filesystem::path& directory) {
  if (mode == "--game") return writeGameImages(directory);
  if (mode == "--icons") return writeIcons(directory);
  return writeDefaultImages(directory);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view mode = argc == 3 ? argv[1] : "";
  if (argc != 2 && mode != "--game" && mode != "--icons") {
    std::fprintf(stderr,
                 "usage: imagegen OUTPUT_DIR\n       imagegen --game OUTPUT_DIR\n"
                 "       imagegen --icons OUTPUT_DIR\n");
    return 2;
  }
  const std::filesystem::path directory = argv[argc - 1];
  if (!makeDirectory(directory)) return 1;
  return writeImages(mode, directory) ? 0 : 1;
}
