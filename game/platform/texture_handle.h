#pragma once
// A user's reference to a texture of the texture manager, by name. Loaders take handles while
// reading (a polygon's texture, an object's frames, an emitter's sprites) with the image to
// fall back on when the file is missing; the texture manager turns the name into an image
// when a window exists. Without a window a handle keeps only its names.

#include <string>

class TextureHandle {
 public:
  // The default handle, which shows the "NO_TEXTURE" image.
  TextureHandle() = default;
  // The texture `name`; `fallbackName` names the embedded image shown when it can't load.
  TextureHandle(std::string name, std::string fallbackName)
      : name_(std::move(name)), fallbackName_(std::move(fallbackName)) {}

  const std::string& name() const { return name_; }
  const std::string& fallbackName() const { return fallbackName_; }
  // A handle taken for a name (even an empty one) is not the default handle.
  bool isDefault() const { return name_.empty() && fallbackName_.empty(); }

  friend bool operator==(const TextureHandle&, const TextureHandle&) = default;

 private:
  std::string name_;
  std::string fallbackName_;
};
