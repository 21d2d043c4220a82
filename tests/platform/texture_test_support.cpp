#include "texture_test_support.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <ostream>

#include "common/console_output.h"
#include "game/platform/textures.h"

void PrintTo(const Bgra& pixel, std::ostream* out) {
  *out << "bgra(" << int(pixel.b) << ", " << int(pixel.g) << ", " << int(pixel.r) << ", "
       << int(pixel.a) << ")";
}

void TextureTest::SetUp() {
  WindowTest::SetUp();
  // A texture made on another thread is never counted here, so it outlives its test.
  textures::freeAllTextures();
  workingDirectory_.emplace(folder_.path());
}

void TextureTest::TearDown() {
  textures::setTextureQuality(0);
  workingDirectory_.reset();  // screenshots of failures belong in the real working folder
  WindowTest::TearDown();
}

void TextureTest::writeFile(std::string_view name, std::string_view bytes) const {
  folder_.write(name, bytes);
}

void TextureTest::writeFile(std::string_view name, const std::vector<uint8_t>& bytes) const {
  writeFile(name, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::string TextureTest::path(std::string_view name) const {
  return (folder_.path() / name).string();
}

std::vector<uint8_t> encodeTga(const platform::TgaImage& image, bool runLength, bool topOrigin) {
  if (!topOrigin) return platform::writeTga(image, runLength);
  // Packets never cross rows, so flipping the rows and the origin bit gives the same image.
  platform::TgaImage flipped = image;
  const size_t rowBytes = size_t(image.width) * 4;
  for (int32_t y = 0; y < image.height; ++y)
    std::copy_n(image.bgra.begin() + ptrdiff_t(y * rowBytes), rowBytes,
                flipped.bgra.begin() + ptrdiff_t((image.height - 1 - y) * rowBytes));
  std::vector<uint8_t> bytes = platform::writeTga(flipped, runLength);
  bytes[17] |= 0x20;
  return bytes;
}

Texels readTexels(uint32_t id) {
  Texels texels;
  glBindTexture(GL_TEXTURE_2D, id);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &texels.width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &texels.height);
  texels.pixels.resize(size_t(texels.width) * texels.height);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_BGRA, GL_UNSIGNED_BYTE, texels.pixels.data());
  return texels;
}

void drawTexture(uint32_t id, float x, float y, float w, float h) {
  glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_CURRENT_BIT);
  glEnable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  glBindTexture(GL_TEXTURE_2D, id);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glColor4f(1, 1, 1, 1);
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0);
  glVertex2f(x, y);
  glTexCoord2f(1, 0);
  glVertex2f(x + w, y);
  glTexCoord2f(1, 1);
  glVertex2f(x + w, y + h);
  glTexCoord2f(0, 1);
  glVertex2f(x, y + h);
  glEnd();
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glPopAttrib();
}

SurfacePtr makeSurface(int32_t width, int32_t height, uint32_t format) {
  return SurfacePtr(SDL_CreateRGBSurfaceWithFormat(0, width, height, 0, format));
}

std::string consoleTextSince(uint32_t from) {
  const auto ring = console::outputRing();
  const uint32_t to = console::writePosition();
  if (to >= from) return std::string(ring.data() + from, to - from);
  return std::string(ring.data() + from, ring.size() - from) + std::string(ring.data(), to);
}
