#include "game/platform/gl_texture_device.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
#include <SDL.h>

#include <algorithm>
#include <vector>

#include "game/platform/texture_image.h"
#include "game/platform/textures.h"
#include "game/platform/window.h"

namespace textures {
namespace {

constexpr int32_t kHalfSizeQuality = 2;

int32_t halved(int32_t side) {
  return std::max(1, side / 2);
}

// Uploads read through the unpack state and the half-size scaling writes through the pack
// state; whatever a renderer or a screenshot left in either must not skew rows.
void resetPixelStore() {
  for (const GLenum alignment : {GL_UNPACK_ALIGNMENT, GL_PACK_ALIGNMENT})
    glPixelStorei(alignment, 4);
  for (const GLenum zeroed :
       {GL_UNPACK_ROW_LENGTH, GL_UNPACK_SKIP_ROWS, GL_UNPACK_SKIP_PIXELS, GL_UNPACK_SWAP_BYTES,
        GL_UNPACK_LSB_FIRST, GL_PACK_ROW_LENGTH, GL_PACK_SKIP_ROWS, GL_PACK_SKIP_PIXELS,
        GL_PACK_SWAP_BYTES, GL_PACK_LSB_FIRST})
    glPixelStorei(zeroed, 0);
}

}  // namespace

GlTextureDevice::GlTextureDevice()
    : anisotropyAvailable_(window::hasExtension("GL_EXT_texture_filter_anisotropic")),
      compressionAvailable_(window::hasExtension("GL_ARB_texture_compression")) {
  if (anisotropyAvailable_) {
    GLint largest = 1;
    glGetIntegerv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &largest);
    maxAnisotropy_ = std::max<GLint>(1, largest);
  }
}

bool GlTextureDevice::canUploadHere() const {
  return SDL_GL_GetCurrentContext() != nullptr;
}

uint32_t GlTextureDevice::generateId() {
  GLuint id = 0;
  glGenTextures(1, &id);
  return id;
}

void GlTextureDevice::deleteId(uint32_t id) {
  const GLuint name = id;
  glDeleteTextures(1, &name);
}

void GlTextureDevice::load(Texture& texture) {
  const TextureImage image = loadTextureImage(texture.name, texture.fallbackName);
  texture.width = image.width;
  texture.height = image.height;
  texture.sourceBytesPerPixel = image.sourceBytesPerPixel;
  texture.hasAlpha = image.hasAlpha;
  texture.loaded = image.loaded;
  upload(texture.textureId, image);
}

void GlTextureDevice::applyAnisotropy(uint32_t id, int32_t level) {
  glBindTexture(GL_TEXTURE_2D, id);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, level);
}

void GlTextureDevice::applyQualityHint(int32_t quality) {
  if (!compressionAvailable_) return;
  glHint(GL_TEXTURE_COMPRESSION_HINT_ARB, quality == kHalfSizeQuality ? GL_FASTEST : GL_NICEST);
}

uint32_t GlTextureDevice::internalFormat(int32_t quality) const {
  if (quality == 0) return GL_RGBA;
  return compressionAvailable_ ? GL_COMPRESSED_RGBA_ARB : GL_RGBA4;
}

// Mipmaps are always built, so every texture filters trilinearly; the recorded size stays
// the source's even when quality 2 uploads it at half size.
void GlTextureDevice::upload(uint32_t id, const TextureImage& image) const {
  if (image.width <= 0 || image.height <= 0) return;
  glBindTexture(GL_TEXTURE_2D, id);
  if (anisotropyAvailable_)
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, textures::anisotropy());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);

  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  resetPixelStore();
  const int32_t quality = textures::textureQuality();
  const GLint format = static_cast<GLint>(internalFormat(quality));
  if (quality == kHalfSizeQuality) {
    const int32_t width = halved(image.width);
    const int32_t height = halved(image.height);
    std::vector<uint8_t> scaled(size_t(width) * height * 4);
    gluScaleImage(GL_BGRA_EXT, image.width, image.height, GL_UNSIGNED_BYTE, image.bgra.data(),
                  width, height, GL_UNSIGNED_BYTE, scaled.data());
    gluBuild2DMipmaps(GL_TEXTURE_2D, format, width, height, GL_BGRA_EXT, GL_UNSIGNED_BYTE,
                      scaled.data());
  } else {
    gluBuild2DMipmaps(GL_TEXTURE_2D, format, image.width, image.height, GL_BGRA_EXT,
                      GL_UNSIGNED_BYTE, image.bgra.data());
  }
  glPopClientAttrib();
}

void initTextures() {
  installTextureDevice(std::make_unique<GlTextureDevice>());
  if (window::hasExtension("GL_ARB_texture_compression"))
    glHint(GL_TEXTURE_COMPRESSION_HINT_ARB, GL_NICEST);
}

}  // namespace textures
