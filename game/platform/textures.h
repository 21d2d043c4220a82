#pragma once
// The texture manager: one texture per distinct upper-cased name, shared by every handle on
// it, counted per creating thread (only that thread uploads, reloads and counts); a thread
// with an OpenGL context of its own makes its own texture of a name. Loading
// tries our own TGA reader for ".TGA" names, then the image library, then the handle's
// embedded fallback image, then a 16 x 16 black and white checkerboard, so it never fails.
//
// Textures are uploaded only once a window's OpenGL context exists and initTextures has
// run; before that (and in headless runs) the manager keeps names and counts only.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace textures {

// What a handle copies from its texture.
struct TextureInfo {
  int32_t width = 0;
  int32_t height = 0;
  uint32_t textureId = 0;
  bool hasAlpha = false;
};

// After the window exists: drops textures left from before, quality 0, anisotropy 1, and
// asks the driver for compression and anisotropic filtering.
void initTextures();
// At program end: deletes every texture; anisotropy back to 1.
void freeAllTextures();

// Used by TextureHandle; the key is `name` upper-cased (ASCII letters only).
TextureInfo acquireTexture(std::string_view name, std::string_view fallbackName);
void releaseTexture(std::string_view name);

// Loads every texture this thread created again into its own texture id.
void reloadAllTextures();
// 0 full, 1 reduced colour depth (or compressed), 2 half size and reduced. Other values, and
// the current one, change nothing.
void setTextureQuality(int32_t quality);
int32_t textureQuality();
// Clamped to the driver's largest level, 0 taken as 1; only when the driver filters
// anisotropically.
void setAnisotropy(int32_t level);
int32_t anisotropy();

// Sum of width x height x 4 over all textures.
uint64_t textureMemory();
// One line per texture in byte order of the keys: key, " (loading failed) " when a fallback
// stands in, " : ", bits per source pixel, " BIT".
std::vector<std::string> textureListing();
// The console's "TextureList", "TextureMemory" and "TextureReload": each prints its heading
// and figures on the console.
void printTextureList();
void printTextureMemory();
void reloadTexturesTimed();

// The count of handles on `name` held by this thread's texture of it, else by the first
// thread's; 0 when no texture has it.
int32_t referenceCount(std::string_view name);

}  // namespace textures
