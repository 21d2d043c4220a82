#pragma once
// The texture manager's records and the device that turns them into OpenGL textures. The
// manager (textures.cpp) keeps names and counts in every program; the OpenGL device is
// installed by initTextures once a window exists, so headless programs never call OpenGL.

#include <cstdint>
#include <memory>
#include <string>
#include <thread>

namespace textures {

// One texture per distinct upper-cased name and creating thread.
struct Texture {
  int32_t width = 0;  // source size, before any quality halving; 0 until loaded
  int32_t height = 0;
  int32_t sourceBytesPerPixel = 0;  // 1, 2, 3 or 4; only shown in the listing
  uint32_t textureId = 0;           // kept for the texture's life; a reload refills it
  bool hasAlpha = false;
  bool loaded = false;  // false while a fallback image stands in
  int32_t referenceCount = 0;
  std::string name;  // the key, upper-cased
  std::string fallbackName;
  std::thread::id creatorThread;  // only this thread uploads, reloads and counts
};

// OpenGL work for the manager. Only called on a thread for which canUploadHere() is true.
class TextureDevice {
 public:
  virtual ~TextureDevice() = default;
  // The calling thread has an OpenGL context of its own current.
  virtual bool canUploadHere() const = 0;
  virtual uint32_t generateId() = 0;
  virtual void deleteId(uint32_t id) = 0;
  // Loads `texture.name` (falling back as the texture says) into `texture.textureId` and
  // fills its size, source bytes per pixel, alpha and loaded flags.
  virtual void load(Texture& texture) = 0;
  virtual bool anisotropyAvailable() const = 0;
  virtual int32_t maxAnisotropy() const = 0;
  virtual void applyAnisotropy(uint32_t id, int32_t level) = 0;
  // The compression hint that goes with a quality.
  virtual void applyQualityHint(int32_t quality) = 0;
};

// Drops every texture left (deleting them through the device they were made with), takes
// `device` (nullptr: names and counts only), quality 0, anisotropy 1.
void installTextureDevice(std::unique_ptr<TextureDevice> device);

}  // namespace textures
