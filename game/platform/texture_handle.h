#pragma once
// A user's reference to a shared texture. The texture manager keeps one texture per name
// (letter case aside) with a count of the handles on it, loads it on the first handle and
// deletes it when the last one lets go. Every handle names an embedded image to fall back
// on, so a missing file never stops the game.
//
// Without a window (tools, tests, benchmarks) the manager still counts handles and keeps
// names and sizes (read from the image's header), but uploads nothing: the texture id
// stays 0.

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>

class TextureHandle {
 public:
  // The texture "No_Texture_Specified", which no file provides, so it shows "NO_TEXTURE".
  TextureHandle();
  // The texture `name`; `fallbackName` names the embedded image shown when it can't load
  // ("DEFAULT_FONT", "DEFAULT_SPRITE", "DEFAULT_TEXTURE", "NO_TEXTURE", or empty for the
  // black and white checkerboard).
  TextureHandle(std::string_view name, std::string_view fallbackName);
  // Copies take a reference of their own on the same name, asking for no fallback image (the
  // texture exists already) but reporting the original's fallbackName(); a move hands the
  // reference over and leaves the source holding nothing. Assigning a handle to itself
  // changes nothing.
  TextureHandle(const TextureHandle& other);
  TextureHandle(TextureHandle&& other) noexcept;
  TextureHandle& operator=(const TextureHandle& other);
  TextureHandle& operator=(TextureHandle&& other) noexcept;
  ~TextureHandle();

  // Lets go of the current texture and takes the one named `name`, unless the upper-cased
  // names are the same. The new texture has no fallback image.
  void rename(std::string_view name);

  // The name as given to the handle; the texture's key is its upper-cased form.
  const std::string& name() const { return name_; }
  const std::string& fallbackName() const { return fallbackName_; }
  // The handle made without a name (or a copy of it).
  bool isDefault() const;

  // Copied from the texture when the handle took it: its source size in pixels (before any
  // quality halving), its OpenGL name, and whether it carries transparency.
  int32_t width() const { return width_; }
  int32_t height() const { return height_; }
  uint32_t textureId() const { return textureId_; }
  bool hasAlpha() const { return hasAlpha_; }

  // Handles order by their OpenGL texture name, the order renderers batch in.
  friend bool operator==(const TextureHandle& a, const TextureHandle& b) {
    return a.textureId_ == b.textureId_;
  }
  friend std::strong_ordering operator<=>(const TextureHandle& a, const TextureHandle& b) {
    return a.textureId_ <=> b.textureId_;
  }

 private:
  // Takes a reference on name_ and copies the texture's figures.
  void acquire(std::string_view fallbackName);
  void release();
  // The moved-from state: no name, no reference.
  void forget();

  std::string name_;
  std::string fallbackName_;
  int32_t width_ = 0;
  int32_t height_ = 0;
  uint32_t textureId_ = 0;
  bool hasAlpha_ = false;
  bool holdsReference_ = false;
};
