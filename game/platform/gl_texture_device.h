#pragma once
// The texture manager's OpenGL side: texture names, uploads with mipmaps at the chosen
// quality, anisotropic filtering and the compression hint. initTextures (textures.h)
// installs one for the window's context. A thread with a context of its own (the loading
// screen) uploads into that context the textures it creates; a thread without one uploads
// nothing.

#include <cstdint>

#include "game/platform/texture_device.h"

namespace textures {

struct TextureImage;

class GlTextureDevice : public TextureDevice {
 public:
  // Reads the driver's extensions and anisotropy limit from the current context.
  GlTextureDevice();

  bool canUploadHere() const override;
  uint32_t generateId() override;
  void deleteId(uint32_t id) override;
  void load(Texture& texture) override;
  bool anisotropyAvailable() const override { return anisotropyAvailable_; }
  int32_t maxAnisotropy() const override { return maxAnisotropy_; }
  void applyAnisotropy(uint32_t id, int32_t level) override;
  void applyQualityHint(int32_t quality) override;

 private:
  void upload(uint32_t id, const TextureImage& image) const;
  uint32_t internalFormat(int32_t quality) const;

  bool anisotropyAvailable_ = false;
  bool compressionAvailable_ = false;
  int32_t maxAnisotropy_ = 1;
};

}  // namespace textures
