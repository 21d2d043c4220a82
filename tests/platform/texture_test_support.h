#pragma once
// Shared by the texture tests that run in the real window: a fresh working folder for the
// image files each test writes, image builders, and the texels OpenGL holds for a texture.

#include <SDL.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/platform/tga_reader.h"
#include "test_support/temp_directory.h"
#include "test_support/window_fixture.h"

// B, G, R, A as the texture manager stores pixels.
struct Bgra {
  uint8_t b = 0, g = 0, r = 0, a = 0;
  friend bool operator==(const Bgra&, const Bgra&) = default;
};
void PrintTo(const Bgra& pixel, std::ostream* out);

// Runs inside a temporary working folder, so relative file names land there; quality,
// anisotropy and the working folder go back to normal afterwards.
class TextureTest : public WindowTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes `bytes` as the file `name` in the working folder.
  void writeFile(std::string_view name, std::string_view bytes) const;
  void writeFile(std::string_view name, const std::vector<uint8_t>& bytes) const;
  std::string path(std::string_view name) const;

 private:
  TempDirectory folder_;
  std::optional<WorkingDirectory> workingDirectory_;
};

// A width x height image whose pixel (x, y) is pixel(x, y).
template <typename PixelAt>
platform::TgaImage makeImage(int32_t width, int32_t height, PixelAt pixel) {
  platform::TgaImage image{width, height, {}};
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) {
      const Bgra p = pixel(x, y);
      image.bgra.insert(image.bgra.end(), {p.b, p.g, p.r, p.a});
    }
  return image;
}

// A 32-bit TGA of `image`, stored (type 2) or run-length coded (type 10), with rows
// bottom-up or, with `topOrigin`, top-down.
std::vector<uint8_t> encodeTga(const platform::TgaImage& image, bool runLength, bool topOrigin);

// The level-0 size and texels of texture `id`, top row first.
struct Texels {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<Bgra> pixels;
  Bgra at(int32_t x, int32_t y) const { return pixels[size_t(y) * width + x]; }
};
Texels readTexels(uint32_t id);

// Draws texture `id` as a w x h quad at (x, y), sampled nearest so each texel is a block.
void drawTexture(uint32_t id, float x, float y, float w, float h);

// An SDL surface freed when it goes.
struct SurfaceDeleter {
  void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;
SurfacePtr makeSurface(int32_t width, int32_t height, uint32_t format);

// What the console printed since `from` (an earlier console::writePosition()).
std::string consoleTextSince(uint32_t from);
