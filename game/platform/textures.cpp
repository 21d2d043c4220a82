// The manager's bookkeeping: an ordered map from upper-cased name to records, so listings
// come out in byte order of the names. Counting follows the creating thread: a handle
// taken or dropped on a thread without a context finds the texture but leaves its count
// alone, which keeps every OpenGL call on the thread that owns the context. A thread with
// a context of its own (the loading screen's) gets a record of its own for a name another
// thread holds, since a texture id means nothing in another context: the loading screen
// writes in the menus' font before the menus take it, and after it has let it go. Without a
// device, or on a thread without a context, records are made and counted but nothing is
// uploaded.
//
// The loading screen's thread takes and drops its pictures while the main thread waits for
// it, so the two never meet here in practice; a lock on taking and dropping keeps the map
// whole should they ever do.

#include "game/platform/textures.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <vector>

#include "common/text.h"
#include "game/platform/image_size.h"
#include "game/platform/texture_device.h"

namespace textures {
namespace {

constexpr int32_t kMaxQuality = 2;

// Handles held in other files' statics are released at program exit, possibly after this
// file's statics would be destroyed, so the records and the device are never destroyed.
struct Registry {
  std::mutex lock;  // taken by acquire and release, the calls other threads make
  // A name's records, one for each thread that created it; almost always exactly one.
  std::map<std::string, std::vector<Texture>> textures;
  std::unique_ptr<TextureDevice> device;
};
Registry& registry() {
  static auto* instance = new Registry;
  return *instance;
}
TextureDevice* device() {
  return registry().device.get();
}
int32_t quality = 0;
int32_t anisotropyLevel = 1;

bool isCreator(const Texture& texture) {
  return texture.creatorThread == std::this_thread::get_id();
}

bool canUpload() {
  return device() != nullptr && device()->canUploadHere();
}

TextureInfo infoOf(const Texture& texture) {
  return {texture.width, texture.height, texture.textureId, texture.hasAlpha};
}

// This thread's record among a name's, or null.
Texture* ownRecord(std::vector<Texture>& records) {
  auto own = std::find_if(records.begin(), records.end(), isCreator);
  return own == records.end() ? nullptr : &*own;
}

Texture& createTexture(std::string key, std::string_view fallbackName) {
  Texture& texture = registry().textures[key].emplace_back();
  texture.name = std::move(key);
  texture.fallbackName = std::string(fallbackName);
  texture.creatorThread = std::this_thread::get_id();
  texture.referenceCount = 1;
  if (canUpload()) {
    texture.textureId = device()->generateId();
    device()->load(texture);
  } else if (device() == nullptr) {  // headless: the header tells the size
    const ImageSize size = imageSizeWithoutLoading(texture.name, fallbackName);
    texture.width = size.width;
    texture.height = size.height;
  }
  return texture;
}

void deleteTexture(const Texture& texture) {
  if (texture.textureId != 0 && canUpload()) device()->deleteId(texture.textureId);
}

}  // namespace

void installTextureDevice(std::unique_ptr<TextureDevice> newDevice) {
  freeAllTextures();
  registry().device = std::move(newDevice);
  quality = 0;
}

void freeAllTextures() {
  for (const auto& [key, records] : registry().textures)
    for (const Texture& texture : records)
      if (isCreator(texture)) deleteTexture(texture);
  registry().textures.clear();
  anisotropyLevel = 1;
}

TextureInfo acquireTexture(std::string_view name, std::string_view fallbackName) {
  std::string key = upperCased(name);
  std::lock_guard guard(registry().lock);
  auto found = registry().textures.find(key);
  if (found == registry().textures.end())
    return infoOf(createTexture(std::move(key), fallbackName));
  if (Texture* own = ownRecord(found->second)) {
    ++own->referenceCount;
    return infoOf(*own);
  }
  if (canUpload()) return infoOf(createTexture(std::move(key), fallbackName));
  return infoOf(found->second.front());
}

void releaseTexture(std::string_view name) {
  std::lock_guard guard(registry().lock);
  auto found = registry().textures.find(upperCased(name));
  if (found == registry().textures.end()) return;
  std::vector<Texture>& records = found->second;
  Texture* own = ownRecord(records);
  if (own == nullptr || --own->referenceCount > 0) return;
  deleteTexture(*own);
  records.erase(records.begin() + (own - records.data()));
  if (records.empty()) registry().textures.erase(found);
}

void reloadAllTextures() {
  if (!canUpload()) return;
  for (auto& [key, records] : registry().textures)
    for (Texture& texture : records)
      if (isCreator(texture) && texture.textureId != 0) device()->load(texture);
}

void setTextureQuality(int32_t newQuality) {
  if (newQuality == quality || newQuality < 0 || newQuality > kMaxQuality) return;
  quality = newQuality;
  if (canUpload()) device()->applyQualityHint(quality);
  reloadAllTextures();
}

int32_t textureQuality() {
  return quality;
}

void setAnisotropy(int32_t level) {
  if (!canUpload() || !device()->anisotropyAvailable()) return;
  // Compared unsigned, so a negative level counts as huge and is clamped to the limit.
  if (static_cast<uint32_t>(level) > static_cast<uint32_t>(device()->maxAnisotropy()))
    level = device()->maxAnisotropy();
  if (level == 0) level = 1;
  anisotropyLevel = level;
  for (const auto& [key, records] : registry().textures)
    for (const Texture& texture : records)
      if (isCreator(texture) && texture.textureId != 0)
        device()->applyAnisotropy(texture.textureId, level);
}

int32_t anisotropy() {
  return anisotropyLevel;
}

uint64_t textureMemory() {
  uint64_t bytes = 0;
  for (const auto& [key, records] : registry().textures)
    for (const Texture& texture : records)
      if (texture.textureId != 0)  // without a window nothing is uploaded
        bytes += uint64_t(uint32_t(texture.width)) * uint32_t(texture.height) * 4;
  return bytes;
}

std::vector<std::string> textureListing() {
  std::vector<std::string> lines;
  lines.reserve(registry().textures.size());
  for (const auto& [key, records] : registry().textures) {
    const Texture& texture = records.front();
    std::string line = key;
    if (!texture.loaded) line += " (loading failed) ";
    line += " : " + std::to_string(texture.sourceBytesPerPixel * 8) + " BIT";
    lines.push_back(std::move(line));
  }
  return lines;
}

int32_t referenceCount(std::string_view name) {
  std::lock_guard guard(registry().lock);
  auto found = registry().textures.find(upperCased(name));
  if (found == registry().textures.end()) return 0;
  const Texture* own = ownRecord(found->second);
  return (own != nullptr ? *own : found->second.front()).referenceCount;
}

}  // namespace textures
