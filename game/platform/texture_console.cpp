// The texture manager's console commands; the window's platform services route
// "TextureList", "TextureMemory" and "TextureReload" here.

#include "common/stopwatch.h"
#include "common/console_output.h"
#include "game/platform/textures.h"

namespace textures {

void printTextureList() {
  console::printHeading("Textures in use");
  console::print('\n');
  for (const std::string& line : textureListing()) {
    console::print(line);
    console::print('\n');
  }
}

// Quality 1 is counted at half the bytes and quality 2 at a quarter; the third added stands
// for the mipmap chain.
void printTextureMemory() {
  console::printHeading("Texture memory used");
  const int32_t quality = textureQuality();
  const uint64_t bytes = textureMemory() >> (quality == 1 ? 1 : quality == 2 ? 2 : 0);
  console::print(bytes + bytes / 3);
  console::print(" bytes");
}

void reloadTexturesTimed() {
  const Stopwatch stopwatch;
  reloadAllTextures();
  const double seconds = stopwatch.seconds();
  console::print("\nTexture refresh complete.");
  console::print("\nTime take to reload: ");
  console::print(seconds);
}

}  // namespace textures
